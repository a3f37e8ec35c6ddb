// The one Qt application the controls' tests share (offscreen unless a platform is chosen).
#pragma once

namespace kesto::controls::testing {
void ensureQtApplication();
}
