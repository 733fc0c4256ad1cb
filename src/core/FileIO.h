#pragma once
// Whole-file reads and the one atomic writer. Every file that holds money,
// queued work or the terminal's set-up is replaced through WriteFileAtomically:
// a temporary file beside the target is written, flushed to disk and renamed
// over it, so a crash leaves either the old file or the new one, never half.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pos {

// The bytes of a file; nullopt when it does not exist or cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& aPath);

// Replaces aPath with aBytes atomically. False with aError set on failure; the
// old file is then untouched and no temporary file is left behind.
bool WriteFileAtomically(const std::filesystem::path& aPath, std::string_view aBytes, std::string* aError = nullptr);

// Appends aBytes to aPath (created when missing) with one write; for logs.
bool AppendToFile(const std::filesystem::path& aPath, std::string_view aBytes, std::string* aError = nullptr);

}  // namespace pos
