#pragma once

#include <string>
#include <string_view>

namespace kestrovane {

// The step of a file operation that failed.
enum class FileStep {
  None,     // nothing failed
  Open,     // the file could not be opened for reading
  Read,     // reading it failed
  Write,    // the temporary could not be created, written or flushed, or the
            // target is read-only
  Replace,  // the temporary could not be renamed over the target
};

// What a file operation did: success, or the failed step with the system's
// text for the error (in the ANSI code page on Windows).
struct FileResult {
  FileStep failed = FileStep::None;
  std::string reason;
  explicit operator bool() const { return failed == FileStep::None; }
};

// The temporary that replaceFile writes beside path: path + ".tmp".
std::string replacementTemporary(const std::string& path);

// Replaces the file at path with bytes, or creates it. The bytes go to a
// temporary beside it, created exclusively (a leftover temporary of an
// interrupted run, a plain file, is removed first; anything else in its place
// is a failure), flushed to the disk and given the old file's permissions,
// then renamed over path. A read-only target (the Windows attribute; the
// owner's write bit elsewhere) is refused. On any failure up to the rename
// the temporary is removed and the old file stays as it was. Paths are bytes
// in the system's ANSI code page.
FileResult replaceFile(const std::string& path, std::string_view bytes);

// Reads the whole file at path into bytes (left empty on failure).
FileResult readWholeFile(const std::string& path, std::string& bytes);

// Reads the file at path into bytes, but never more than limit + 1 bytes:
// bytes.size() > limit tells a file larger than limit, which is not read
// further (left empty on failure).
FileResult readFileUpTo(const std::string& path, std::size_t limit, std::string& bytes);

}  // namespace kestrovane
