#include "platform/share/desktop_share.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/format/utf8_text.h"
#include "platform/outside_file.h"
#include "platform/replaced_file.h"

namespace tockary {

namespace {

struct ActivityName {
  ShareActivity activity;
  std::string_view identity;
  std::string_view title;
};
constexpr ActivityName kActivityNames[] = {
    {ShareActivity::SaveToFile, "saveToFile", "Save to File\u2026"},
    {ShareActivity::OpenWithDefaultApplication, "openWithDefaultApplication",
     "Open with Default Application"},
    {ShareActivity::Mail, "mail", "Mail\u2026"},
    {ShareActivity::CopyToPasteboard, "copy", "Copy"},
};

constexpr std::string_view kMailProgramName = "xdg-email";
constexpr std::string_view kFallbackFileName = "Shared file";
constexpr std::string_view kTextFileName = "Shared text.txt";
constexpr std::string_view kTextMimeType = "text/plain";
constexpr std::size_t kLongestFileName = 255;  // bytes, as the file systems allow

const ActivityName* nameOf(ShareActivity activity) {
  for (const ActivityName& name : kActivityNames) {
    if (name.activity == activity) return &name;
  }
  return nullptr;
}

bool isExcluded(const ShareRequest& request, ShareActivity activity) {
  return std::ranges::find(request.excludedActivityTypes, activity) !=
         request.excludedActivityTypes.end();
}

QString qPath(const std::filesystem::path& path) { return QFile::decodeName(path.c_str()); }

std::string systemReason(int error) { return std::generic_category().message(error); }

// The first file or data item, which "Save to File…" saves; nullptr when there is none.
const ShareItem* firstFileItem(const ShareRequest& request) {
  for (const ShareItem& item : request.items) {
    if (item.asText() == nullptr) return &item;
  }
  return nullptr;
}

std::string itemName(const ShareItem& item) {
  if (const auto* file = item.asFile()) return file->path.filename().string();
  const auto* data = item.asData();
  return safeShareFileName(data->fileName, data->mimeType);
}

Status failure(std::string line) { return Status::error(std::move(line)); }

Status notOffered(ShareActivity activity) {
  const std::string_view title = shareActivityTitle(activity);
  return failure((title.empty() ? std::string("This activity") : std::string(title)) +
                 " is not offered for these items.");
}

// Writes `bytes` to a new file that only the user may read, from its first byte; 0, or the
// errno of the failure (EEXIST when the name is taken).
int writeNewPrivateFile(const std::filesystem::path& file, const Bytes& bytes) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  int error = 0;
  for (std::size_t done = 0; done < bytes.size() && error == 0;) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote >= 0) {
      done += static_cast<std::size_t>(wrote);
    } else if (errno != EINTR) {
      error = errno;
    }
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) ::unlink(file.c_str());
  return error;
}

// "card.png", "card 2.png", ...: the second item of the same name does not replace the first.
std::filesystem::path numbered(const std::filesystem::path& folder, const std::string& name,
                               int number) {
  if (number == 1) return folder / name;
  const std::filesystem::path plain(name);
  return folder /
         (plain.stem().string() + " " + std::to_string(number) + plain.extension().string());
}

}  // namespace

std::string_view shareActivityIdentity(ShareActivity activity) {
  const ActivityName* name = nameOf(activity);
  return name != nullptr ? name->identity : std::string_view();
}

std::string_view shareActivityTitle(ShareActivity activity) {
  const ActivityName* name = nameOf(activity);
  return name != nullptr ? name->title : std::string_view();
}

std::filesystem::path documentsFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
}

std::filesystem::path findMailProgram() {
  const QString found = QStandardPaths::findExecutable(QString::fromUtf8(kMailProgramName));
  return found.isEmpty() ? std::filesystem::path()
                         : std::filesystem::path(QFile::encodeName(found).toStdString());
}

std::vector<ShareActivity> offeredShareActivities(const ShareRequest& request, bool canMail) {
  const bool hasFiles = firstFileItem(request) != nullptr;
  const bool hasTexts = std::ranges::any_of(
      request.items, [](const ShareItem& item) { return item.asText() != nullptr; });
  std::vector<ShareActivity> offered;
  for (ShareActivity activity : kDesktopShareActivities) {
    bool actsOnSomething = false;
    switch (activity) {
      case ShareActivity::SaveToFile:
      case ShareActivity::Mail:
        actsOnSomething = hasFiles || hasTexts;
        break;
      case ShareActivity::OpenWithDefaultApplication:
        actsOnSomething = hasFiles;
        break;
      case ShareActivity::CopyToPasteboard:
        actsOnSomething = hasTexts;
        break;
      default:
        break;
    }
    if (activity == ShareActivity::Mail && !canMail) continue;
    if (actsOnSomething && !isExcluded(request, activity)) offered.push_back(activity);
  }
  return offered;
}

std::string safeShareFileName(std::string_view fileName, std::string_view mimeType) {
  std::string name;
  if (isValidUtf8(fileName)) {
    const std::size_t slash = fileName.rfind('/');
    for (char c : fileName.substr(slash == std::string_view::npos ? 0 : slash + 1)) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte >= 0x20 && byte != 0x7f) name += c;
    }
    // A leading dot would hide the file, and ".." is no name.
    name.erase(0, name.find_first_not_of(". "));
    name.erase(name.find_last_not_of(' ') + 1);
  }
  if (!name.empty() && name.size() <= kLongestFileName) return name;
  const QMimeType type = QMimeDatabase().mimeTypeForName(QString::fromUtf8(mimeType));
  const QString suffix = type.isValid() ? type.preferredSuffix() : QString();
  return std::string(kFallbackFileName) + (suffix.isEmpty() ? "" : "." + suffix.toStdString());
}

ShareFolder::~ShareFolder() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

Result<std::filesystem::path> ShareFolder::newRequestFolder() {
  if (path_.empty()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tockary-share-XXXXXX").string();
    // mkdtemp makes the folder 0700.
    if (::mkdtemp(pattern.data()) == nullptr) {
      return failure("Could not make a folder for the shared files: " + systemReason(errno) + ".");
    }
    path_ = pattern;
  }
  const std::filesystem::path folder = path_ / std::to_string(++requests_);
  if (::mkdir(folder.c_str(), 0700) != 0) {
    return failure("Could not make a folder for the shared files: " + systemReason(errno) + ".");
  }
  return folder;
}

DesktopShare::DesktopShare(ShareRequest request, ShareFolder& folder,
                           std::filesystem::path mailProgram)
    : request_(std::move(request)),
      folder_(folder),
      mailProgram_(std::move(mailProgram)),
      written_(request_.items.size()) {}

std::vector<ShareActivity> DesktopShare::offered() const {
  return offeredShareActivities(request_, !mailProgram_.empty());
}

bool DesktopShare::offers(ShareActivity activity) const {
  const std::vector<ShareActivity> all = offered();
  return std::ranges::find(all, activity) != all.end();
}

std::string DesktopShare::summary() const {
  std::string lines;
  const auto addLine = [&](const std::string& line) {
    if (!lines.empty()) lines += '\n';
    lines += line;
  };
  for (const ShareItem& item : request_.items) {
    if (item.asText() == nullptr) addLine(itemName(item));
  }
  for (const ShareItem& item : request_.items) {
    if (const std::string* text = item.asText(); text != nullptr && !text->empty()) {
      addLine(replacingInvalidUtf8(*text));
      break;
    }
  }
  return lines;
}

std::string DesktopShare::saveFileName() const {
  const ShareItem* item = firstFileItem(request_);
  return item != nullptr ? itemName(*item) : std::string(kTextFileName);
}

std::string DesktopShare::saveMimeType() const {
  const ShareItem* item = firstFileItem(request_);
  if (item == nullptr) return std::string(kTextMimeType);
  if (const auto* data = item->asData()) return data->mimeType;
  return QMimeDatabase().mimeTypeForFile(qPath(item->asFile()->path)).name().toStdString();
}

std::string DesktopShare::saveNote() const {
  if (firstFileItem(request_) == nullptr || request_.items.size() < 2) return {};
  const std::size_t others = request_.items.size() - 1;
  return "Saves " + saveFileName() + " only, not the other " +
         (others == 1 ? std::string("item") : std::to_string(others) + " items") + ".";
}

Status DesktopShare::saveTo(const std::filesystem::path& destination) {
  if (!offers(ShareActivity::SaveToFile)) return notOffered(ShareActivity::SaveToFile);
  const std::string where = "Could not save to " + destination.string() + ": ";
  if (Status usable = writableOutsideFile(destination); !usable) {
    return failure(where + "it " + usable.description() + ".");
  }
  // Written beside the destination and renamed only once everything is written.
  auto opened = ReplacedFile::create(destination);
  if (!opened) return failure(opened.status().description() + ".");
  ReplacedFile& out = opened.value();
  const ShareItem* item = firstFileItem(request_);
  Status written = Status::ok();
  if (item == nullptr) {
    written = out.append(texts().value_or("") + "\n");
  } else if (const auto* data = item->asData()) {
    written = out.append(
        std::string_view(reinterpret_cast<const char*>(data->bytes.data()), data->bytes.size()));
  } else {
    QFile in(qPath(item->asFile()->path));
    const auto unreadable = [&] {
      return failure(where + item->asFile()->path.string() + " cannot be read (" +
                     in.errorString().toStdString() + ").");
    };
    if (!in.open(QIODevice::ReadOnly)) return unreadable();
    constexpr qint64 kChunk = 64 * 1024;
    while (written && !in.atEnd()) {
      const QByteArray chunk = in.read(kChunk);
      if (chunk.isEmpty() && in.error() != QFileDevice::NoError) return unreadable();
      written =
          out.append(std::string_view(chunk.constData(), static_cast<std::size_t>(chunk.size())));
    }
  }
  if (written) written = out.commit();
  if (!written) return failure(written.description() + ".");
  return Status::ok();
}

Status DesktopShare::carryOut(ShareActivity activity) {
  if (!offers(activity)) return notOffered(activity);
  switch (activity) {
    case ShareActivity::OpenWithDefaultApplication:
      return openWithDefaultApplication();
    case ShareActivity::Mail:
      return mail();
    case ShareActivity::CopyToPasteboard:
      return copy();
    default:
      return failure(std::string(shareActivityTitle(activity)) + " needs a file to save to.");
  }
}

std::optional<std::filesystem::path> DesktopShare::writtenFile(std::size_t index) const {
  return index < written_.size() ? written_[index] : std::nullopt;
}

Result<std::filesystem::path> DesktopShare::fileOf(std::size_t index) {
  const ShareItem& item = request_.items[index];
  if (const auto* file = item.asFile()) return std::filesystem::absolute(file->path);
  if (written_[index]) return *written_[index];
  const std::string name = itemName(item);
  if (requestFolder_.empty()) {
    auto folder = folder_.newRequestFolder();
    if (!folder) return folder.status();
    requestFolder_ = std::move(folder).value();
  }
  for (int number = 1;; ++number) {
    const std::filesystem::path file = numbered(requestFolder_, name, number);
    const int error = writeNewPrivateFile(file, item.asData()->bytes);
    if (error == 0) {
      written_[index] = file;
      return file;
    }
    if (error != EEXIST) {
      return failure("Could not prepare " + name + " for sharing: " + systemReason(error) + ".");
    }
  }
}

Result<std::vector<std::filesystem::path>> DesktopShare::files() {
  std::vector<std::filesystem::path> paths;
  for (std::size_t i = 0; i < request_.items.size(); ++i) {
    if (request_.items[i].asText() != nullptr) continue;
    auto file = fileOf(i);
    if (!file) return file.status();
    paths.push_back(std::move(file).value());
  }
  return paths;
}

std::optional<std::string> DesktopShare::texts() const {
  std::optional<std::string> joined;
  for (const ShareItem& item : request_.items) {
    const std::string* text = item.asText();
    if (text == nullptr) continue;
    joined = joined ? *joined + "\n" : std::string();
    *joined += replacingInvalidUtf8(*text);
  }
  return joined;
}

Status DesktopShare::openWithDefaultApplication() {
  auto paths = files();
  if (!paths) return paths.status();
  for (const std::filesystem::path& file : *paths) {
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(qPath(file)))) {
      return failure("No application could open " + file.filename().string() + ".");
    }
  }
  return Status::ok();
}

Status DesktopShare::mail() {
  auto paths = files();
  if (!paths) return paths.status();
  // Our texts are UTF-8 whatever the locale says.
  QStringList arguments{"--utf8"};
  for (const std::filesystem::path& file : *paths) arguments << "--attach" << qPath(file);
  if (const std::optional<std::string> body = texts()) {
    arguments << "--body" << QString::fromStdString(*body);
  }
  // An argument list, never a shell line: no item's name or text is ever read as a command.
  QProcess process;
  process.setProgram(qPath(mailProgram_));
  process.setArguments(arguments);
  process.setStandardInputFile(QProcess::nullDevice());
  if (!process.startDetached()) {
    return failure("Could not start " + std::string(kMailProgramName) + ": " +
                   process.errorString().toStdString() + ".");
  }
  return Status::ok();
}

Status DesktopShare::copy() {
  if (qGuiApp == nullptr || QGuiApplication::clipboard() == nullptr) {
    return failure("The clipboard is not available.");
  }
  QGuiApplication::clipboard()->setText(QString::fromStdString(texts().value_or("")));
  return Status::ok();
}

Sheet shareSheet(const DesktopShare& share, std::function<void(ShareActivity)> carryOut) {
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = "Share";
  const std::vector<ShareActivity> offered = share.offered();
  std::string message = share.summary();
  if (offered.empty())
    message += (message.empty() ? "" : "\n") +
               std::string("Nothing on this computer can take these items.");
  sheet.message = message;
  for (ShareActivity activity : offered) {
    sheet.actions.push_back({std::string(shareActivityIdentity(activity)),
                             std::string(shareActivityTitle(activity)), ActionStyle::Default,
                             [carryOut, activity] { carryOut(activity); }});
  }
  sheet.actions.push_back(cancelAction());
  return sheet;
}

Sheet shareFailureSheet(const Status& failure) {
  Sheet sheet;
  sheet.style = SheetStyle::Alert;
  sheet.title = "Could Not Share";
  sheet.message = failure.description();
  sheet.actions.push_back(okAction());
  return sheet;
}

Sheet replaceFileSheet(const std::filesystem::path& file, std::function<void()> replace) {
  Sheet sheet;
  sheet.style = SheetStyle::Alert;
  sheet.title = file.filename().string() + " already exists.";
  sheet.message = "Do you want to replace it?";
  sheet.actions.push_back(cancelAction());
  sheet.actions.push_back({"replace", "Replace", ActionStyle::Destructive, std::move(replace)});
  return sheet;
}

}  // namespace tockary
