// The LZHUF encoder of the skin packer: the counterpart of the program's
// decoder, with the same dictionary, match lengths and adaptive code.
#pragma once

#include <string>
#include <string_view>

namespace kestrone::skinpack {

// The bit stream alone (no size field).
std::string LzhEncode(std::string_view data);
// A packed skin: 4-byte little-endian size followed by the bit stream.
std::string PackSkin(std::string_view unpacked);

}  // namespace kestrone::skinpack
