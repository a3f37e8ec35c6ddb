#include "ColourAttributes.h"

namespace kesto::zentrel {
namespace {

constexpr std::uint32_t kWindow = 0x80000005;

constexpr ColourAttribute kAttributes[kColourAttributeCount] = {
    {0, u"Error", 0x80000008, kWindow},
    {1, u"Normal", 0x80000008, kWindow},
    {2, u"Tab", 0x80000008, kWindow},
    {3, u"Label", 0x000000FF, kWindow},
    {4, u"Dots", 0x00000000, kWindow},
    {5, u"Command", 0x00FF0000, kWindow},
    {6, u"String", 0x00008000, kWindow},
    {7, u"Comment", 0x00008000, kWindow},
    {8, u"Object dot operator", 0x00000000, kWindow},
    {9, u"SQL", 0x00800080, kWindow},
    {10, u"Pre-Processor Function", 0x00FF0000, kWindow},
    {11, u"Pre-Processor Command", 0x00FF0000, kWindow},
    {12, u"Macro", 0x00FF0000, kWindow},
    {13, u"Delimiter", 0x00000000, kWindow},
    {14, u"External reference", 0x00000000, kWindow},
    {15, u"Extrinsic function", 0x00FF0000, kWindow},
    {16, u"Format specifier", 0x00000000, kWindow},
    {17, u"Function", 0x00FF0000, kWindow},
    {18, u"Global variable", 0x00000000, kWindow},
    {19, u"Indirection", 0x00000000, kWindow},
    {20, u"Local variable", 0x00000000, kWindow},
    {21, u"Mnemonic", 0x00000000, kWindow},
    {22, u"Name", 0x00000000, kWindow},
    {23, u"Number", 0x00000000, kWindow},
    {24, u"Operator", 0x00000000, kWindow},
    {25, u"Routine", 0x00000000, kWindow},
    {26, u"Special", 0x00000000, kWindow},
    {27, u"Structured variable", 0x00FF0000, kWindow},
    {28, u"System variable", 0x00FF0000, kWindow},
    {29, u"HTML", 0x00800080, kWindow},
    {30, u"Object property", 0x00FF0000, kWindow},
    {31, u"Object name", 0x00808000, kWindow},
    {32, u"Object (Class)", 0x00800000, kWindow},
    {33, u"Object instance var", 0x00000000, kWindow},
    {34, u"Object reference var", 0x80000008, kWindow},
    {35, u"Object method", 0x00FF0000, kWindow},
    {36, u"Object attribute", 0x00FF0000, kWindow},
    {37, u"Object (This)", 0x00800000, kWindow},
    {38, u"VB Form name", 0x80000008, kWindow},
    {39, u"VB Control name", 0x80000008, kWindow},
    {40, u"VB Property name", 0x80000008, kWindow},
    {41, u"Pattern", 0x00008080, kWindow},
    {42, u"Brace", 0x00800080, kWindow},
    {43, u"Javascript", 0x00800080, kWindow},
};

}  // namespace

const ColourAttribute* colourAttributes() { return kAttributes; }

}  // namespace kesto::zentrel
