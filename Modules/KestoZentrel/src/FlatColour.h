// The flat colouring entry: colours a block of lines without COM, resuming from stored
// start states and stopping once states repeat. Returned arrays are released with
// NewSyntaxColorFree.
#pragma once

#include <cstddef>
#include <cstdint>

#define ZENTREL_API extern "C" __attribute__((visibility("default")))

ZENTREL_API std::int32_t NewSyntaxColor(std::int32_t mac, std::int32_t lineCount, std::int32_t minLines,
                                        const std::uint16_t* lengths, const char16_t* const* texts,
                                        const std::uint8_t* const* storedStates, std::int32_t* outCount,
                                        std::uint8_t*** outStates, std::uint8_t*** outAttributes);

ZENTREL_API void NewSyntaxColorFree(std::int32_t count, std::uint8_t** states, std::uint8_t** attributes);

namespace kesto::zentrel {

// Writes one attribute index per character from the scanner's attribute words (language
// << 10 | attribute): this language's own attribute, a fixed one for the embedded ones.
void attributesOf(const std::uint16_t* words, std::size_t count, std::uint8_t* out);

}  // namespace kesto::zentrel
