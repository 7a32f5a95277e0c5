// Font collections (.ttc): a member of a collection written out as a standalone font file.
#pragma once

#include <string>
#include <string_view>

// True when the data starts with a collection header.
bool IsFontCollection(std::string_view data);

// The standalone font file of member `index` of a collection: the member's table directory
// with its tables copied behind it, each at a four-byte boundary, and the checksum adjustment
// of the head table recomputed. Raises EFontError for a malformed collection or index.
std::string ExtractCollectionMember(std::string_view collection, int index);
