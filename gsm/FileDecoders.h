// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DecodedContents.h"
#include "FileCatalogue.h"

#include <cstdint>
#include <string_view>

// A decoder of one file's whole contents (transparent files) or one record (record files).
using FileDecoder = CDecodedContents (*)(std::string_view data);

// The decoder registered for a file, nullptr when none.
FileDecoder FindFileDecoder(std::uint16_t dfId, std::uint16_t fileId);

// The fields of the data of a file (by catalogue entry, by path "3F00\7F20\6F07", or by id
// under a DF). A file without a decoder, or a path not in the catalogue, gives no fields
// and one problem line saying so.
CDecodedContents DecodeFile(const CCatalogueEntry& entry, std::string_view data);
CDecodedContents DecodeFile(std::string_view path, std::string_view data);
CDecodedContents DecodeFile(std::uint16_t dfId, std::uint16_t fileId, std::string_view data);
