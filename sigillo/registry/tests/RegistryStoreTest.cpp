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

Tree treeOf(Store& store) {
    Tree tree;
    store.read([&](const Tree& t) { tree = t; });
    return tree;
}

// What a process that starts now reads.
Tree freshRead(const std::string& path) {
    Store store(path);
    return treeOf(store);
}

void createStoreWithKey(const std::string& path, const std::string& name) {
    Store store(path);
    createKey(store, name);
}

std::vector<uint8_t> bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

// Registry calls outside a transaction on the store of SIGILLO_REGISTRY, and
// the tree they must give, built by hand: every kind of value, names that
// need quoting, a value and a key deleted again.
Tree makeSingleChanges() {
    Tree expected = seededTree();
    HKEY h;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\J", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                              nullptr),
              ERROR_SUCCESS);
    Key& key = expected.create(Hive::CurrentUser, {"Software", "J"});
    std::vector<uint8_t> longBlob(200);
    for (size_t i = 0; i < longBlob.size(); ++i) {
        longBlob[i] = static_cast<uint8_t>(i * 7);
    }
    const Value values[] = {
        {"", 1, bytes(std::string_view("default\0", 8))},
        {"Say \"hi\" \\ there", 1, bytes(std::string_view("C:\\a \"b\"\0", 9))},
        {"Count", 4, {1, 2, 3, 4}},
        {"Blob", 3, {0, 255, '\r', '\n', '"'}},
        {"Long", 3, longBlob},
        {"Expand", 2, bytes(std::string_view("%HOME%\\x\0", 10))},
        {"Multi", 7, bytes(std::string_view("a\0b\0\0", 5))},
        {"Qword", 11, {1, 0, 0, 0, 0, 0, 0, 128}},
        {"\xc3\x9cml\xc3\xa4ut", 1, bytes(std::string_view("\xe2\x82\xac\0", 4))},
        {"Dropped", 4, {9, 9, 9, 9}},
    };
    for (const Value& v : values) {
        EXPECT_EQ(
            RegSetValueExA(h, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size())),
            ERROR_SUCCESS)
            << v.name;
        key.setValue(v);
    }
    EXPECT_EQ(RegDeleteValueA(h, "dropped"), ERROR_SUCCESS);
    key.removeValue("Dropped");
    HKEY gone;
    EXPECT_EQ(RegCreateKeyExA(h, "Gone\\Deeper", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &gone, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(gone);
    EXPECT_EQ(RegDeleteKeyA(h, "Gone\\Deeper"), ERROR_SUCCESS);
    expected.create(Hive::CurrentUser, {"Software", "J", "Gone"});
    RegCloseKey(h);
    return expected;
}

std::string journalOf(const TempStore& tmp) {
    return tmp.path() + ".journal";
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
    // The children ended without compacting: what they wrote is in the journal.
    Store store(tmp.path());
    store.read([&](const Tree& t) {
        const Key* race = t.find(Hive::CurrentUser, {"Software", "Race"});
        ASSERT_NE(race, nullptr);
        EXPECT_EQ(race->subkeys.size(), static_cast<size_t>(kChildren * kKeysEach));
    });
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

TEST(RegistryStoreJournal, SingleChangesGoToTheJournalAndReadBackAsMade) {
    TempStore tmp;
    createStoreWithKey(tmp.path(), "first");
    const std::string storeText = fileText(tmp.path());
    Tree expected = makeSingleChanges();
    expected.create(Hive::CurrentUser, {"first"});
    EXPECT_EQ(fileText(tmp.path()), storeText); // only the journal grew
    Store other(tmp.path());
    EXPECT_EQ(treeOf(other), expected); // the store replayed from the journal
    other.compact();
    EXPECT_EQ(parseRegText(fileText(tmp.path())), expected);
    EXPECT_EQ(fileText(journalOf(tmp)), "");
    EXPECT_EQ(freshRead(tmp.path()), expected);
}

TEST(RegistryStoreJournal, RecordCutOrDamagedEndsTheJournalAndIsOverwritten) {
    // What a writer killed mid-append, or a damaged disk, leaves at the end.
    const std::function<void(std::string&)> damages[] = {
        [](std::string& j) { j.resize(j.size() - 3); },  // cut inside the payload
        [](std::string& j) { j.resize(j.size() - 32); }, // cut inside its length
        [](std::string& j) { j[j.size() - 5] ^= 0x20; }, // a changed byte
        [](std::string& j) { j += std::string("\x30\0\0\0garbage", 11); },
    };
    for (size_t d = 0; d < std::size(damages); ++d) {
        TempStore tmp;
        createStoreWithKey(tmp.path(), "base");
        HKEY h;
        for (const char* name : {"kept", "last"}) {
            ASSERT_EQ(
                RegCreateKeyExA(HKEY_CURRENT_USER, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
                ERROR_SUCCESS);
            RegCloseKey(h);
        }
        std::string journal = fileText(journalOf(tmp));
        const bool lastSurvives = d == 3;
        damages[d](journal);
        std::ofstream(journalOf(tmp), std::ios::binary | std::ios::trunc) << journal;
        Store reader(tmp.path());
        EXPECT_TRUE(hasKey(reader, "kept")) << d;
        EXPECT_EQ(hasKey(reader, "last"), lastSurvives) << d;
        Store writer(tmp.path());
        writer.change([](const Tree&) { return regKeyLine(Hive::CurrentUser, {"after"}); });
        Store later(tmp.path());
        EXPECT_TRUE(hasKey(later, "kept")) << d;
        EXPECT_EQ(hasKey(later, "last"), lastSurvives) << d;
        EXPECT_TRUE(hasKey(later, "after")) << d;
    }
}

TEST(RegistryStoreJournal, CompactionInterruptedAnywhereLosesAndRepeatsNothing) {
    TempStore tmp;
    createStoreWithKey(tmp.path(), "first");
    Tree expected = makeSingleChanges();
    expected.create(Hive::CurrentUser, {"first"});
    const std::string journal = fileText(journalOf(tmp));

    // Killed while writing the new store: the old store and the journal stand.
    std::ofstream(tmp.path() + ".tmp.99999.0") << "Windows Registry Editor Version 5.00\r\n[HKEY_CURR";
    EXPECT_EQ(freshRead(tmp.path()), expected);

    // Killed after the rename, before the journal was emptied: the journal no
    // longer matches the store, so even a value removed by hand since then
    // does not come back from it.
    {
        Store compacting(tmp.path());
        compacting.compact();
    }
    std::ofstream(journalOf(tmp), std::ios::binary | std::ios::trunc) << journal;
    EXPECT_EQ(freshRead(tmp.path()), expected);
    Tree edited = parseRegText(fileText(tmp.path()));
    edited.find(Hive::CurrentUser, {"Software", "J"})->removeValue("Count");
    std::ofstream(tmp.path(), std::ios::binary | std::ios::trunc) << formatRegText(edited);
    EXPECT_EQ(freshRead(tmp.path()), edited);
}

TEST(RegistryStoreJournal, AStoreThatAppendedCompactsWhenItEnds) {
    TempStore tmp;
    {
        Store store(tmp.path());
        createKey(store, "first");
        store.change([](const Tree&) { return regKeyLine(Hive::CurrentUser, {"second"}); });
        EXPECT_NE(fileText(journalOf(tmp)), "");
    }
    const Tree t = parseRegText(fileText(tmp.path()));
    EXPECT_NE(t.find(Hive::CurrentUser, {"second"}), nullptr);
    EXPECT_EQ(fileText(journalOf(tmp)), "");
}
