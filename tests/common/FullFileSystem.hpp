// A tiny file system of its own for one test, filled to the last byte: what a
// save does on a full disk, seen on a real one. Mounting a tmpfs needs root
// (CAP_SYS_ADMIN); where that is refused, SkipReason() says why and the test
// skips. The file system is unmounted when the object goes, however the test
// ends.
#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace potelan::fixtures {

class FullFileSystem {
 public:
  FullFileSystem() {
    if (!dir_.isValid()) {
      reason_ = "no temporary folder for the mount point";
      return;
    }
    if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, "size=64k") !=
        0) {
      reason_ = std::string("a 64 KiB tmpfs cannot be mounted here (") + std::strerror(errno) +
                "); it needs root";
      return;
    }
    mounted_ = true;
  }
  ~FullFileSystem() {
    // Lazily, so that a file a failed test left open cannot keep it mounted.
    if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
  }
  FullFileSystem(const FullFileSystem&) = delete;
  FullFileSystem& operator=(const FullFileSystem&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& SkipReason() const { return reason_; }
  QString Path() const { return dir_.path(); }
  QString FilePath(const QString& name) const { return dir_.filePath(name); }
  static QString FillerName() { return QStringLiteral("filler"); }

  // Writes the filler file until no byte more fits; true when the disk is
  // full (the last write failed for lack of space).
  bool Fill() const {
    const int fd = ::open(QFile::encodeName(FilePath(FillerName())).constData(),
                          O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0) return false;
    const char block[512] = {};
    bool full = false;
    while (true) {
      if (::write(fd, block, sizeof block) < 0) {
        full = errno == ENOSPC;
        break;
      }
    }
    // A last partial page: single bytes until even those fail.
    while (full && ::write(fd, block, 1) == 1) {
    }
    ::close(fd);
    return full;
  }

  // Makes room again, so that a save that failed can be shown to succeed.
  bool Empty() const { return QFile::remove(FilePath(FillerName())); }

 private:
  QTemporaryDir dir_;
  bool mounted_ = false;
  std::string reason_;
};

}  // namespace potelan::fixtures
