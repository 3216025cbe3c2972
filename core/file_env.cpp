#include "core/file_env.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

namespace orlith {

Status FileEnv::ListFolder(const std::string& folder, std::vector<FolderEntry>* entries) {
  entries->clear();
  const std::filesystem::path path(folder.empty() ? "." : folder);
  std::error_code ec;
  for (std::filesystem::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code kind;  // a dangling symlink is neither
    entries->push_back(
        {it->path().filename().string(), it->is_regular_file(kind), it->is_directory(kind)});
  }
  if (ec == std::errc::no_such_file_or_directory)
    return Status::NotFound(path.string(), ec.message());
  if (ec) return Status::IoError(path.string(), ec.message());
  std::sort(entries->begin(), entries->end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return Status::Ok();
}

Status FileEnv::IsFolder(const std::string& path, bool* is_folder) {
  std::error_code ec;
  const std::filesystem::file_status st = std::filesystem::status(path, ec);
  *is_folder = st.type() == std::filesystem::file_type::directory;
  if (ec && st.type() != std::filesystem::file_type::not_found) {
    return Status::IoError(path, ec.message());
  }
  return Status::Ok();
}

Status FileEnv::Exchange(const std::string& a, const std::string& b) {
  auto copy_of = [this](const std::string& from, const std::string& beside, std::string* temp) {
    std::unique_ptr<WritableFile> out;
    Status s = CreateTemporary(beside, temp, &out);
    if (!s.ok()) return s;
    std::unique_ptr<ReadableFile> in;
    s = OpenForReading(from, &in);
    char buffer[64 * 1024];
    for (std::size_t got = 1; s.ok() && got != 0;) {
      s = in->Read(sizeof buffer, buffer, &got);
      if (s.ok() && got != 0) s = out->Append(std::string_view(buffer, got));
    }
    if (in != nullptr) s.Update(in->Close());
    if (s.ok()) s = out->Sync();
    s.Update(out->Close());
    if (!s.ok()) {
      Remove(*temp);
      temp->clear();
    }
    return s;
  };
  std::string copy_of_a, copy_of_b;
  Status s = copy_of(a, b, &copy_of_a);
  if (s.ok()) s = copy_of(b, a, &copy_of_b);
  // Each rename replaces a name in one step: a holds b's file, then b holds a's.
  if (s.ok()) s = Rename(copy_of_b, a);
  if (s.ok()) copy_of_b.clear();
  if (s.ok()) {
    s = Rename(copy_of_a, b);
    // Both names held b's file: a gets its own back, so a failure changes nothing.
    if (!s.ok() && Rename(copy_of_a, a).ok()) copy_of_a.clear();
    if (!s.ok() && !copy_of_a.empty()) {
      return Status::IoError(s.file(), s.reason() + "; the file of " + a + " is kept as " +
                                           copy_of_a);
    }
  }
  if (s.ok()) copy_of_a.clear();
  for (const std::string* temp : {&copy_of_a, &copy_of_b}) {
    if (!temp->empty()) Remove(*temp);
  }
  return s;
}

Status ReadableFile::ReadInPlace(std::size_t n, char* scratch, std::string_view* bytes) {
  std::size_t got = 0;
  Status s = Read(n, scratch, &got);
  *bytes = std::string_view(scratch, got);
  return s;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return "";
  return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

Status AppendWholeOrNothing(FileEnv& env, const std::string& path, std::string_view text,
                            bool line_by_line) {
  std::unique_ptr<WritableFile> file;
  Status s = env.OpenForAppending(path, &file);
  if (!s.ok()) return s;
  std::uint64_t old_size = 0;
  s = file->Size(&old_size);
  if (!s.ok()) {
    file->Close();
    return s;
  }
  while (s.ok() && !text.empty()) {
    const std::size_t end = line_by_line ? text.find('\n') : std::string_view::npos;
    const std::size_t size = end == std::string_view::npos ? text.size() : end + 1;
    s = file->Append(text.substr(0, size));
    if (s.ok()) s = file->Flush();
    text.remove_prefix(size);
  }
  Status restored;
  if (s.ok()) {
    s = file->Close();
    if (s.ok()) return s;
    // The text is written but its close failed, so it may not be whole on disk. The cut needs
    // an open file again; the folder's lock keeps other Orlith processes from appending meanwhile.
    file.reset();
    restored = env.OpenForAppending(path, &file);
    if (restored.ok()) restored = file->Truncate(old_size);
    if (file != nullptr) file->Close();
  } else {
    // A full disk may have taken part of the text before failing: that part is cut off again,
    // through this handle, so no other file that took the name meanwhile is touched.
    restored = file->Truncate(old_size);
    file->Close();
  }
  if (restored.ok()) return s;
  const std::string reason =
      s.reason() + "; its old size could not be restored: " + restored.reason();
  return s.kind() == Status::Kind::kNotFound ? Status::NotFound(s.file(), reason)
                                             : Status::IoError(s.file(), reason);
}

Status ReadSmallFile(FileEnv& env, const std::string& path, std::uint64_t max, std::string* bytes,
                     bool* too_large) {
  bytes->clear();
  *too_large = false;
  std::unique_ptr<ReadableFile> file;
  Status s = env.OpenForReading(path, &file);
  if (!s.ok()) return s;
  std::uint64_t size = 0;
  s = file->Size(&size);
  char buf[4096];
  while (s.ok()) {
    *too_large = size > max || bytes->size() > max;
    if (*too_large) break;
    std::size_t got = 0;
    s = file->Read(sizeof buf, buf, &got);
    if (!s.ok() || got == 0) break;
    bytes->append(buf, got);
  }
  s.Update(file->Close());
  return s;
}

Status ReplaceWith(FileEnv& env, const std::string& path,
                   const std::function<Status(WritableFile& file)>& write, bool sync) {
  std::string temp;
  std::unique_ptr<WritableFile> file;
  Status s = env.CreateTemporary(path, &temp, &file);
  if (!s.ok()) return s;
  s = write(*file);
  if (s.ok() && sync) s = file->Sync();
  s.Update(file->Close());
  if (s.ok()) s = env.Rename(temp, path);
  if (!s.ok()) env.Remove(temp);
  return s;
}

Status ReplaceWhole(FileEnv& env, const std::string& path, std::string_view bytes, bool sync) {
  Status s = ReplaceWith(
      env, path, [bytes](WritableFile& file) { return file.Append(bytes); }, sync);
  return s.ok() && sync ? env.SyncFolder(FolderOf(path)) : s;
}

Status LockFolder(FileEnv& env, const std::string& folder, int wait_ms, bool* busy,
                  std::unique_ptr<FolderLock>* lock, const LockWait* wait, bool* cancelled) {
  *busy = false;
  if (cancelled != nullptr) *cancelled = false;
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
  bool waiting = false;
  auto end_wait = [&](Status s) {
    if (waiting && wait->onEnd) wait->onEnd();
    return s;
  };
  for (;;) {
    Status s = env.TryLockFolder(folder, lock);
    if (s.kind() == Status::Kind::kNotFound) return end_wait(Status::Ok());
    if (!s.ok() || *lock != nullptr) return end_wait(s);
    if (std::chrono::steady_clock::now() >= give_up) {
      *busy = true;
      return end_wait(Status::Ok());
    }
    if (wait != nullptr && !waiting) {
      waiting = true;
      if (wait->onWaiting) wait->onWaiting();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (waiting && wait->cancelled && wait->cancelled()) {
      *cancelled = true;
      return end_wait(Status::Ok());
    }
  }
}

}  // namespace orlith
