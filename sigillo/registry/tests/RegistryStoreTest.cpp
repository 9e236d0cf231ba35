#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <sstream>

#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TempStore.h"
#include "registry/RegText.h"
#include "registry/RegistryStore.h"
#include "sigillo_registry.h"

using namespace sigillo::registry;

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The id of a process that has ended.
pid_t endedProcess() {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(0);
    }
    ::waitpid(pid, nullptr, 0);
    return pid;
}

void createKey(Store& store, const std::string& name) {
    store.update([&](Tree& t) {
        t.create(Hive::CurrentUser, {name});
        return true;
    });
}

bool hasKey(Store& store, const std::string& name) {
    bool found = false;
    store.read([&](const Tree& t) { found = t.find(Hive::CurrentUser, {name}) != nullptr; });
    return found;
}

} // namespace

TEST(RegistryStore, NewStoreIsSeededWithTheComponentClasses) {
    TempStore tmp;
    Store store(tmp.path());
    store.update([](Tree&) { return false; });
    const Tree t = parseRegText(fileText(tmp.path()));
    const std::pair<const char*, const char*> classes[] = {
        {".dll", "dllfile"}, {".exe", "exefile"}, {".ocx", "ocxfile"}};
    for (const auto& [ext, type] : classes) {
        const Key* k = t.find(Hive::ClassesRoot, {ext});
        ASSERT_NE(k, nullptr) << ext;
        const Value* v = k->findValue("");
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(std::string(v->data.begin(), v->data.end()), std::string(type) + '\0');
    }
}

TEST(RegistryStore, SeesChangesMadeByAnotherStoreObject) {
    TempStore tmp;
    Store a(tmp.path()), b(tmp.path());
    a.update([](Tree& t) {
        t.create(Hive::CurrentUser, {"one"});
        return true;
    });
    b.update([](Tree& t) {
        t.create(Hive::CurrentUser, {"two"});
        return true;
    });
    bool both = false;
    a.read([&](const Tree& t) {
        both = t.find(Hive::CurrentUser, {"one"}) && t.find(Hive::CurrentUser, {"two"});
    });
    EXPECT_TRUE(both);
}

TEST(RegistryStore, ConcurrentProcessesLoseNoWrites) {
    TempStore tmp;
    constexpr int kChildren = 4, kKeysEach = 25;
    std::vector<pid_t> pids;
    for (int c = 0; c < kChildren; ++c) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int failures = 0;
            for (int i = 0; i < kKeysEach; ++i) {
                HKEY h;
                const std::string name = "Software\\Race\\c" + std::to_string(c) + "_" + std::to_string(i);
                failures += RegCreateKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                            nullptr, &h, nullptr) != ERROR_SUCCESS;
                RegCloseKey(h);
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        pids.push_back(pid);
    }
    for (pid_t pid : pids) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const Tree t = parseRegText(fileText(tmp.path()));
    const Key* race = t.find(Hive::CurrentUser, {"Software", "Race"});
    ASSERT_NE(race, nullptr);
    EXPECT_EQ(race->subkeys.size(), static_cast<size_t>(kChildren * kKeysEach));
}

TEST(RegistryStore, UnreadableStoreIsReportedAndLeftUntouched) {
    TempStore tmp;
    const std::string garbage = "this is not a registry file\n";
    std::ofstream(tmp.path(), std::ios::binary) << garbage;
    HKEY h;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "x", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_REGISTRY_IO_FAILED);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, ".dll", 0, KEY_READ, &h), ERROR_REGISTRY_IO_FAILED);
    EXPECT_EQ(fileText(tmp.path()), garbage);
}

TEST(RegistryStore, WriterKilledMidWayLeavesTheStoreWhole) {
    TempStore tmp;
    Store store(tmp.path());
    store.update([](Tree& t) {
        t.create(Hive::CurrentUser, {"kept"});
        return true;
    });
    const std::string before = fileText(tmp.path());
    // What a writer killed before its rename leaves: a partial temporary file.
    std::ofstream(tmp.path() + ".tmp.99999.0") << "Windows Registry Editor Version 5.00\r\n[HKEY_CURR";
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        Store child(tmp.path());
        child.update([](Tree& t) {
            t.create(Hive::CurrentUser, {"never"});
            ::_exit(0); // dies while holding the lock, before anything is written
            return true;
        });
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_EQ(fileText(tmp.path()), before);
    bool kept = false, never = true;
    store.update([&](Tree& t) {
        kept = t.find(Hive::CurrentUser, {"kept"}) != nullptr;
        never = t.find(Hive::CurrentUser, {"never"}) != nullptr;
        return false;
    });
    EXPECT_TRUE(kept);
    EXPECT_FALSE(never);
}

TEST(RegistryStore, WriteLeavesNoTemporaryFilesBehind) {
    TempStore tmp;
    Store store(tmp.path());
    for (int i = 0; i < 3; ++i) {
        store.update([&](Tree& t) {
            t.create(Hive::CurrentUser, {"k" + std::to_string(i)});
            return true;
        });
    }
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(tmp.dir())) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"registry.reg", "registry.reg.lock"}));
}

TEST(RegistryStore, DefaultPathFollowsTheEnvironment) {
    TempStore tmp;
    EXPECT_EQ(Store::defaultPath(), tmp.path());
    ::unsetenv("SIGILLO_REGISTRY");
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(Store::defaultPath(), "/cfg/sigillo/registry.reg");
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST(RegistryStore, LockHeldElsewhereIsWaitedForABoundedTimeThenNamed) {
    TempStore tmp;
    Store store(tmp.path(), std::chrono::milliseconds(300));
    createKey(store, "before");
    // Another holder: a lock on its own open file, as another process has.
    const int fd = ::open((tmp.path() + ".lock").c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    for (const bool writing : {false, true}) {
        const auto start = std::chrono::steady_clock::now();
        try {
            writing ? createKey(store, "never") : (void)hasKey(store, "before");
            ADD_FAILURE() << "no error while the lock is held";
        } catch (const StoreError& e) {
            EXPECT_EQ(std::string(e.what()), "the registry store " + tmp.path() +
                                                 " is locked by another process (" + tmp.path() +
                                                 ".lock held for more than 300 ms)");
        }
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_GE(waited, std::chrono::milliseconds(300));
        EXPECT_LT(waited, std::chrono::milliseconds(2000));
    }
    ::close(fd);
    EXPECT_TRUE(hasKey(store, "before"));
    EXPECT_FALSE(hasKey(store, "never"));
}

TEST(RegistryStore, TemporaryFilesOfKilledWritersAreRemoved) {
    TempStore tmp;
    const pid_t dead = endedProcess();
    const std::string stale[] = {tmp.path() + ".tmp." + std::to_string(dead) + ".0",
                                 tmp.path() + ".tmp." + std::to_string(dead)};
    const std::string live = tmp.path() + ".tmp." + std::to_string(::getpid()) + ".999";
    const std::string unrelated = tmp.path() + ".tmp.notes";
    for (const std::string& f : {stale[0], stale[1], live, unrelated}) {
        std::ofstream(f) << "[HKEY_CURR";
    }
    Store store(tmp.path());
    createKey(store, "k");
    EXPECT_FALSE(std::filesystem::exists(stale[0]));
    EXPECT_FALSE(std::filesystem::exists(stale[1]));
    EXPECT_TRUE(std::filesystem::exists(live)); // its writer may still be at work
    EXPECT_TRUE(std::filesystem::exists(unrelated));
}

TEST(RegistryStore, TransactionWritesOnceOnCommitAndNothingOtherwise) {
    TempStore tmp;
    Store store(tmp.path());
    createKey(store, "before");
    const std::string before = fileText(tmp.path());

    store.beginTransaction();
    createKey(store, "a");
    createKey(store, "b");
    EXPECT_TRUE(hasKey(store, "a")); // the transaction sees its own changes
    EXPECT_EQ(fileText(tmp.path()), before);
    store.commitTransaction();
    Store other(tmp.path());
    EXPECT_TRUE(hasKey(other, "a"));
    EXPECT_TRUE(hasKey(other, "b"));

    const std::string committed = fileText(tmp.path());
    store.beginTransaction();
    createKey(store, "dropped");
    store.abortTransaction();
    EXPECT_EQ(fileText(tmp.path()), committed);
    EXPECT_FALSE(hasKey(store, "dropped"));
}

TEST(RegistryStore, ProcessEndingInsideATransactionChangesNothing) {
    TempStore tmp;
    Store store(tmp.path());
    createKey(store, "before");
    const std::string before = fileText(tmp.path());
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        Store child(tmp.path());
        child.beginTransaction();
        createKey(child, "half");
        ::_exit(0); // a crash or a kill: no commit
    }
    ::waitpid(pid, nullptr, 0);
    EXPECT_EQ(fileText(tmp.path()), before);
    EXPECT_FALSE(hasKey(store, "half"));
}

TEST(RegistryStore, TransactionOnAnUnreadableStoreFailsWithItsPathAndLine) {
    TempStore tmp;
    const std::string garbage = "Windows Registry Editor Version 5.00\n\nnot a line of a registry file\n";
    std::ofstream(tmp.path(), std::ios::binary) << garbage;
    Store store(tmp.path());
    try {
        store.beginTransaction();
        FAIL() << "no error";
    } catch (const StoreError& e) {
        const std::string message = e.what();
        EXPECT_TRUE(message.starts_with("the registry store " + tmp.path() + " cannot be read (line 3: "))
            << message;
    }
    EXPECT_FALSE(store.inTransaction());
    EXPECT_EQ(fileText(tmp.path()), garbage);
}
