#include <fcntl.h>
#include <sqlite3.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <map>
#include <set>
#include <thread>

#include "cli/cli_runner.h"
#include "platform/format/utf8_text.h"
#include "platform/image/image_codec.h"
#include "platform/outside_file.h"
#include "store/collection_model.h"

namespace tockary::testing {
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr const char* kPictureAccepted = "; accepted: a regular file holding a PNG or JPEG picture";

int modeOf(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return -1;
  return static_cast<int>(info.st_mode & 07777);
}

class InputCliTest : public CliTest {
 protected:
  std::filesystem::path storeFile() const { return data / (std::string(kModelName) + ".sqlite"); }

  // Every file of the data folder with its bytes, to tell that nothing changed.
  std::map<std::string, std::string> dataFiles() const {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(data, ec)) {
      files[entry.path().filename().string()] = readFile(entry.path());
    }
    return files;
  }

  static void expectRefusal(const CliRun& run, const std::string& line) {
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tockary: " + line + "\n");
  }

  void storeBrand(const std::string& brand) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(storeFile().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    sqlite3_stmt* update = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "UPDATE Kello SET merkki = ?1", -1, &update, nullptr),
              SQLITE_OK);
    sqlite3_bind_text(update, 1, brand.data(), static_cast<int>(brand.size()), SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(update), SQLITE_DONE);
    sqlite3_finalize(update);
    sqlite3_close(db);
  }
};

TEST_F(InputCliTest, PictureFromAnythingButARegularFileIsRefusedBeforeTheStoreOpens) {
  ASSERT_EQ(tockary({"add", "--brand", "Alpha"}).status, 0);
  const auto before = dataFiles();
  const auto refuses = [&](const std::filesystem::path& source, const std::string& why) {
    SCOPED_TRACE(source.string());
    expectRefusal(tockary({"edit", "1", "--front-picture", source.string()}),
                  "--front-picture \"" + source.string() + "\" " + why + kPictureAccepted);
    EXPECT_EQ(dataFiles(), before);
  };

  refuses(scratch.path(), "is a directory");
  refuses("/dev/zero", "is not a regular file");

  const auto fifo = scratch.path() / "picture.fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Should the command open the FIFO after all, this writer lets it go on (and fail the test)
  // rather than wait forever; otherwise it is released below.
  std::thread writer([&] { ::close(::open(fifo.c_str(), O_WRONLY | O_CLOEXEC)); });
  refuses(fifo, "is not a regular file");
  const int release = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  writer.join();
  ::close(release);

  const auto socketPath = scratch.path() / "picture.socket";
  const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socketPath.string().copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  refuses(socketPath, "is not a regular file");
  ::close(listening);

  // Sparse: 50 MB and one byte without writing them.
  const auto huge = scratch.path() / "huge.png";
  writeFile(huge, "");
  std::filesystem::resize_file(huge, kPictureFileLimit + 1);
  refuses(huge, "is larger than 50 MB");
}

TEST_F(InputCliTest, RefusedPictureOfANewWatchCreatesNoDataFolder) {
  expectRefusal(
      tockary({"add", "--brand", "Alpha", "--back-picture", scratch.path().string()}),
      "--back-picture \"" + scratch.path().string() + "\" is a directory" + kPictureAccepted);
  EXPECT_FALSE(std::filesystem::exists(data));
}

TEST_F(InputCliTest, DamagedPngIsOneLineWhateverLibpngSays) {
  ImageCodec codec;
  const std::vector<std::uint32_t> pixels(16 * 16, 0xFF336699);
  Bytes png = codec.encodePng(Image::fromArgb(16, 16, pixels)).value();
  const Bytes idat = {'I', 'D', 'A', 'T'};
  const auto type = std::search(png.begin(), png.end(), idat.begin(), idat.end());
  for (auto at = type + 6; at < type + 10; ++at) *at ^= 0x5A;
  const auto file = scratch.path() / "damaged.png";
  writeFile(file, std::string(png.begin(), png.end()));

  expectRefusal(tockary({"add", "--brand", "Alpha", "--front-picture", file.string()}),
                "--front-picture \"" + file.string() +
                    "\": The picture cannot be used: the image data is damaged (IDAT: invalid "
                    "stored block lengths); accepted: a complete PNG or JPEG picture");
}

TEST_F(InputCliTest, PicturePathNeedNotBeUtf8) {
  ImageCodec codec;
  const std::vector<std::uint32_t> pixels(4 * 4, 0xFF336699);
  const Bytes png = codec.encodePng(Image::fromArgb(4, 4, pixels)).value();
  const auto file = scratch.path() / "Bild-\xE4.png";  // Latin-1, as an old camera names it
  writeFile(file, std::string(png.begin(), png.end()));
  const CliRun added = tockary({"add", "--front-picture", file.string()});
  EXPECT_EQ(added.status, 0) << added.err;
}

TEST_F(InputCliTest, StoredTextThatIsNotUtf8IsShownWithReplacementCharacters) {
  ASSERT_EQ(tockary({"add", "--brand", "Alpha", "--model", "Beta"}).status, 0);
  storeBrand("Al\xFFpha");  // as another program might have written it

  const CliRun listed = tockary({"--json", "list"});
  ASSERT_EQ(listed.status, 0) << listed.err;
  const auto rows = nlohmann::json::parse(listed.out);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0]["manufacturerLabel"], std::string("Al") + kReplacement + "pha");

  const CliRun shown = tockary({"--json", "show", "1"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  const auto screen = nlohmann::json::parse(shown.out);
  EXPECT_EQ(screen["basicWatchDetailsLabel"], std::string("Al") + kReplacement + "pha, Beta");
  EXPECT_EQ(screen["title"], std::string("AL") + kReplacement + "PHA");

  const CliRun plain = tockary({"show", "1"});
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_TRUE(isValidUtf8(plain.out));
  EXPECT_EQ(plain.out.rfind(
                std::string("AL") + kReplacement + "PHA\nAl" + kReplacement + "pha, Beta\n", 0),
            0u)
      << plain.out;
}

TEST_F(InputCliTest, TextOptionsMustBeUtf8AndNothingIsWritten) {
  const std::string notUtf8 = "\xFF";
  const std::string why = ": the value is not valid UTF-8; accepted: UTF-8 text";
  expectRefusal(tockary({"add", "--brand", notUtf8}), "--brand" + why);
  expectRefusal(tockary({"add", "--brand", "Alpha", "--notes", "caf\xE9"}), "--notes" + why);
  expectRefusal(tockary({"edit", "1", "--model", "\xC0\xAF"}), "--model" + why);
  expectRefusal(tockary({"status", "1", notUtf8}), "STATUS" + why);
  expectRefusal(tockary({"sort", notUtf8}), "ENTRY" + why);
  expectRefusal(tockary({"settings", notUtf8, "on"}), "KEY" + why);
  EXPECT_FALSE(std::filesystem::exists(data));
}

TEST_F(InputCliTest, DataDirIsAFolderNeverAUri) {
  const auto other = scratch.path() / "other.db";
  const CliRun run =
      runTockary({"--data-dir", "file:" + other.string() + "#", "info"}, scratch.path());
  expectRefusal(run, "--data-dir takes a folder path, not a URI");
  EXPECT_FALSE(std::filesystem::exists(other));
  EXPECT_FALSE(std::filesystem::exists("file:" + other.string() + "#"));
}

TEST_F(InputCliTest, StoreFilesArePrivateFromTheirFirstByte) {
  std::filesystem::create_directory(data);
  ::chmod(data.c_str(), 0700);
  const int events = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(::inotify_add_watch(events, data.c_str(), IN_CREATE | IN_ATTRIB), 0);
  // The widest umask: a file that SQLite made, or that was narrowed only after it was made,
  // would be open to everyone for a moment.
  const mode_t umask = ::umask(0);
  const CliRun added = tockary({"add", "--brand", "Alpha"});
  ::umask(umask);
  ASSERT_EQ(added.status, 0) << added.err;

  std::set<std::string> created;
  std::set<std::string> changed;
  alignas(inotify_event) char buffer[16 * 1024];
  for (ssize_t n; (n = ::read(events, buffer, sizeof buffer)) > 0;) {
    for (char* at = buffer; at < buffer + n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      if (event->len > 0) ((event->mask & IN_CREATE) != 0 ? created : changed).insert(event->name);
      at += sizeof(inotify_event) + event->len;
    }
  }
  ::close(events);
  const std::string store = storeFile().filename().string();
  EXPECT_TRUE(created.contains(store));
  EXPECT_TRUE(created.contains("preferences.sqlite"));
  // A mode set after creation shows as a change of attributes.
  EXPECT_FALSE(changed.contains(store));
  EXPECT_FALSE(changed.contains("preferences.sqlite"));
  for (const auto& [name, bytes] : dataFiles()) EXPECT_EQ(modeOf(data / name), 0600) << name;
  EXPECT_EQ(modeOf(data), 0700);
}

TEST_F(InputCliTest, DataFolderOpenToOthersIsNarrowed) {
  std::filesystem::create_directory(data);
  ::chmod(data.c_str(), 0755);
  const CliRun run = tockary({"info"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(modeOf(data), 0700);

  // A shared folder is not ours to close: one line says so, and the command goes on.
  ::chmod(data.c_str(), 01777);
  const CliRun shared = tockary({"info"});
  EXPECT_EQ(shared.status, 0);
  EXPECT_EQ(shared.err, "tockary: warning: the data folder \"" + data.string() +
                            "\" is open to other users (mode 1777) and was left so: it is a "
                            "shared folder\n");
  EXPECT_EQ(modeOf(data), 01777);
}

}  // namespace
}  // namespace tockary::testing
