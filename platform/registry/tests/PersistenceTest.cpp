#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "FreshRoot.h"
#include "registry/Registry.h"

using namespace kesto::registry;

using Persistence = FreshRoot;

namespace {

// Runs body in a child process and returns its exit code (255 when it threw).
template <typename Body>
int inChild(Body&& body) {
  const pid_t pid = fork();
  if (pid == 0) {
    int code = 255;
    try {
      code = body();
    } catch (...) {
    }
    _exit(code);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void writeFile(const std::filesystem::path& file, const std::string& content) {
  std::ofstream(file, std::ios::binary) << content;
}

}  // namespace

TEST_F(Persistence, AnotherProcessSeesEachChange) {
  setValue(Hive::CurrentUser, "Shared", "n", std::uint32_t{1});
  ASSERT_EQ(getValue(Hive::CurrentUser, "Shared", "n"), Value(1u));  // cached here now

  EXPECT_EQ(inChild([] {
              if (getValue(Hive::CurrentUser, "Shared", "n") != Value(1u)) return 1;
              setValue(Hive::CurrentUser, "Shared", "n", std::uint32_t{2});
              createKey(Hive::CurrentUser, "Shared\\FromChild");
              return 0;
            }),
            0);

  EXPECT_EQ(getValue(Hive::CurrentUser, "Shared", "n"), Value(2u));
  EXPECT_TRUE(keyExists(Hive::CurrentUser, "Shared\\FromChild"));
}

TEST_F(Persistence, ConcurrentWritersLoseNothing) {
  constexpr int kEach = 40;
  const pid_t pid = fork();
  if (pid == 0) {
    int code = 0;
    try {
      for (int i = 0; i < kEach; ++i) {
        setValue(Hive::CurrentUser, "Both", "child" + std::to_string(i), std::uint32_t(i));
      }
    } catch (...) {
      code = 1;
    }
    _exit(code);
  }
  for (int i = 0; i < kEach; ++i) {
    setValue(Hive::CurrentUser, "Both", "parent" + std::to_string(i), std::uint32_t(i));
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(values(Hive::CurrentUser, "Both").size(), 2u * kEach);
}

TEST_F(Persistence, LeftoverHalfWrittenTemporaryFileIsIgnored) {
  setValue(Hive::CurrentUser, "K", "v", std::string("before"));
  const std::filesystem::path temporary = hiveFile().string() + ".tmp";
  writeFile(temporary, "{\"format\": \"kesto-registry-hive\", \"root\": {\"na");

  EXPECT_EQ(getString(Hive::CurrentUser, "K", "v"), "before");
  setValue(Hive::CurrentUser, "K", "v", std::string("after"));
  EXPECT_EQ(getString(Hive::CurrentUser, "K", "v"), "after");
  EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST_F(Persistence, WriterKilledWhileSavingLeavesAReadableState) {
  setValue(Hive::CurrentUser, "Big", "payload", std::string(256 * 1024, 'x'));  // slow saves
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    close(ready[0]);
    for (std::uint32_t n = 1;; ++n) {
      setValue(Hive::CurrentUser, "Big", "n", n);
      if (n == 3) (void)!write(ready[1], "r", 1);
    }
  }
  close(ready[1]);
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  close(ready[0]);
  // Every read while the child keeps saving sees a whole state.
  std::uint32_t seen = 0;
  for (int i = 0; i < 20; ++i) {
    const auto n = getValue(Hive::CurrentUser, "Big", "n");
    ASSERT_TRUE(n.has_value());
    EXPECT_GE(std::get<std::uint32_t>(*n), seen);
    seen = std::get<std::uint32_t>(*n);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);

  const auto n = getValue(Hive::CurrentUser, "Big", "n");
  ASSERT_TRUE(n.has_value());
  EXPECT_GE(std::get<std::uint32_t>(*n), 3u);
  EXPECT_EQ(getString(Hive::CurrentUser, "Big", "payload")->size(), 256u * 1024);
  setValue(Hive::CurrentUser, "Big", "after", std::string("yes"));  // the lock died with it
  EXPECT_EQ(getString(Hive::CurrentUser, "Big", "after"), "yes");
}

TEST_F(Persistence, DamagedHiveIsReportedNotOverwritten) {
  std::filesystem::create_directories(hiveFile().parent_path());
  for (const std::string damaged :
       {"{ not json", R"({"format": "kesto-registry-hive", "version": 1, "root": {}})"}) {
    writeFile(hiveFile(), damaged);
    EXPECT_THROW(getValue(Hive::CurrentUser, "K", "v"), RegistryError);
    EXPECT_THROW(setValue(Hive::CurrentUser, "K", "v", std::string("x")), RegistryError);
    std::ifstream in(hiveFile());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);
  }
}
