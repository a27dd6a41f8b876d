#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "platform/ui/share.h"
#include "platform/ui/sheet.h"

namespace tockary {

// What this desktop can do with shared items, in the order the share sheet lists them.
inline constexpr ShareActivity kDesktopShareActivities[] = {
    ShareActivity::SaveToFile,
    ShareActivity::OpenWithDefaultApplication,
    ShareActivity::Mail,
    ShareActivity::CopyToPasteboard,
};

// The identity of a desktop activity's sheet action ("saveToFile", "openWithDefaultApplication",
// "mail", "copy") and the title the sheet shows for it; empty for activities the desktop lacks.
std::string_view shareActivityIdentity(ShareActivity activity);
std::string_view shareActivityTitle(ShareActivity activity);

// The user's documents folder, where reports are written and "Save to File…" starts:
// XDG_DOCUMENTS_DIR of the user's user-dirs.dirs, else ~/Documents. It may not exist yet.
std::filesystem::path documentsFolder();

// The program that writes a mail with attachments (xdg-email), as found on the PATH now; empty
// when there is none.
std::filesystem::path findMailProgram();

// The activities the request offers here, in the sheet's order: none it excludes, none with
// nothing to act on, mail only when `canMail`. Saving takes files and data, or the texts when
// there is nothing else; opening takes files and data; mail takes everything; copying takes texts.
std::vector<ShareActivity> offeredShareActivities(const ShareRequest& request, bool canMail);

// The name a data item is written under: its file name without any folder part (what follows
// the last "/"), without control characters and leading dots or blanks. A name left empty, not
// valid UTF-8 or too long for a file name becomes "Shared file" with the MIME type's extension.
std::string safeShareFileName(std::string_view fileName, std::string_view mimeType);

// A folder of the process's own for the files data items become: 0700 under the temporary
// folder, created on first use, removed with everything in it when this goes (at quit).
class ShareFolder {
 public:
  ShareFolder() = default;
  ~ShareFolder();
  ShareFolder(const ShareFolder&) = delete;
  ShareFolder& operator=(const ShareFolder&) = delete;

  // A new empty 0700 folder inside for one request's items; an error when it cannot be made.
  Result<std::filesystem::path> newRequestFolder();
  // Empty until first used.
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  int requests_ = 0;
};

// Carries out the offered activities of one share request. Every failure is a Status whose
// description is one line for the user; nothing the request holds is lost by a failure.
class DesktopShare {
 public:
  // `mailProgram` empty: mail is not offered.
  DesktopShare(ShareRequest request, ShareFolder& folder, std::filesystem::path mailProgram);

  const ShareRequest& request() const { return request_; }
  std::vector<ShareActivity> offered() const;
  bool offers(ShareActivity activity) const;

  // What the sheet says is shared: the names of the files and data, then the first text, one
  // a line.
  std::string summary() const;

  // Saving: the name the save dialog proposes (the first file or data item's, or "Shared
  // text.txt" for texts alone) and its MIME type ("" when unknown).
  std::string saveFileName() const;
  std::string saveMimeType() const;
  // Said in the save dialog when saving leaves items out: only the first file is saved.
  std::string saveNote() const;
  // Writes what "Save to File…" saves to `destination` atomically (a temporary file beside it,
  // then a rename): an existing file is replaced (the user agreed to that), never half written.
  // A destination that is a folder, or whose folder does not exist, is refused and nothing is
  // written.
  Status saveTo(const std::filesystem::path& destination);

  // The other activities: opening each file and data item with the desktop's default
  // application, a mail with the files and data attached and the texts as its body, the texts
  // on the clipboard. An activity the request does not offer is refused, and so is saving, which
  // goes through saveTo.
  Status carryOut(ShareActivity activity);

  // Where data item `index` is written, once an activity needed it as a file.
  std::optional<std::filesystem::path> writtenFile(std::size_t index) const;

 private:
  Result<std::filesystem::path> fileOf(std::size_t index);
  Result<std::vector<std::filesystem::path>> files();
  // The texts joined by line breaks, in their order; nullopt when there are none.
  std::optional<std::string> texts() const;
  Status openWithDefaultApplication();
  Status mail();
  Status copy();

  ShareRequest request_;
  ShareFolder& folder_;
  std::filesystem::path mailProgram_;
  std::filesystem::path requestFolder_;
  std::vector<std::optional<std::filesystem::path>> written_;
};

// The share sheet of `share`: what is shared as its message, one action per offered activity
// (chosen by `carryOut`), Cancel.
Sheet shareSheet(const DesktopShare& share, std::function<void(ShareActivity)> carryOut);
// The alert that shows a share's failure.
Sheet shareFailureSheet(const Status& failure);
// Asks before "Save to File…" replaces an existing file; `replace` runs when the user agrees.
Sheet replaceFileSheet(const std::filesystem::path& file, std::function<void()> replace);

}  // namespace tockary
