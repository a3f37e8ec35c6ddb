#pragma once

// Fonts and widgets need one application object; tests share it.
void ensureGuiApp();
