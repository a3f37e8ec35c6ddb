#pragma once
// Files of the delivery slip and the free design that the application finds through the
// "FIRMENLOGO" and "AUSFOLGE" parameters.

#include <filesystem>

namespace kesto::server::demo {

// The picture folder's name in the "AUSFOLGE" parameter; on disk its "$" is "_".
inline constexpr const char* kSlipPictureFolder = "bilder$ausfolge";
// The folder of the free designs' texts, parameter "RTF"; the demo files make it.
inline constexpr const char* kFreeDesignFolder = "eigenbau";

// Beside the logo: the rich-text control's (empty) language file "rt20_de.lan", the slip
// template "Ausfolgeschein.rtf" and the free-design template "eigenbau.rtf". In the
// picture folder: ausfolgeschein/<article>.jpg for 100001, 100003 and 100006.
// Throws std::runtime_error when a file cannot be written.
void writeSlipFiles(const std::filesystem::path& logoFolder, const std::filesystem::path& pictureFolder);

}  // namespace kesto::server::demo
