// Program folder, scratch path, library loading, settings store, clipboard.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/clipboard.h"
#include "platform/gdi.h"
#include "platform/paths.h"
#include "platform/settings_store.h"

TEST(Paths, ProgramFolderHoldsThisTest) {
    std::string folder = platform::programFolder();
    EXPECT_EQ(access((folder + "/platform_tests").c_str(), X_OK), 0) << folder;
}

TEST(Paths, ScratchMetafilePath) {
    struct Case {
        std::string tmpdir;
        std::string expectedFolder;
    } cases[] = {
        {testing::TempDir(), testing::TempDir()},
        // A temporary folder that takes no file falls back to /tmp, never
        // to a name every instance would share.
        {"/nonexistent-folder", "/tmp/"},
        {"/proc/version", "/tmp/"},
    };
    const char* saved = std::getenv("TMPDIR");
    std::string keep = saved ? saved : "";
    for (const Case& c : cases) {
        setenv("TMPDIR", c.tmpdir.c_str(), 1);
        const std::string path = platform::chooseScratchMetafilePath();
        const std::string other = platform::chooseScratchMetafilePath();
        ASSERT_EQ(path.rfind(c.expectedFolder, 0), 0u) << path;
        std::string name = path.substr(c.expectedFolder.size());
        EXPECT_EQ(name.substr(0, 3), "QLT") << path;
        EXPECT_EQ(name.size(), 13u) << path;
        EXPECT_EQ(name.substr(name.size() - 4), ".WMF") << path;
        EXPECT_NE(path, other) << "each choice is a fresh name";
        for (const std::string& p : {path, other}) {
            struct stat st {};
            ASSERT_EQ(lstat(p.c_str(), &st), 0) << p << ": the file is kept, so the name stays taken";
            EXPECT_TRUE(S_ISREG(st.st_mode)) << p;
            EXPECT_EQ(st.st_mode & 0777, 0600u) << p << ": private to its owner";
            unlink(p.c_str());
        }
    }
    if (saved) setenv("TMPDIR", keep.c_str(), 1);
    else unsetenv("TMPDIR");
    EXPECT_EQ(&platform::scratchMetafilePath(), &platform::scratchMetafilePath());
}

TEST(Paths, ScratchFileFallsBackToAFreshNameBesideTheProgram) {
    const std::string dir = testing::TempDir() + "quillet-scratch-" + std::to_string(getpid());
    mkdir(dir.c_str(), 0700);
    const std::vector<platform::ScratchPlace> places = {
        {"/nonexistent-folder", "QLTXXXXXX.WMF"}, {"/proc/version", "QLTXXXXXX.WMF"}, {dir, "~zelqtmpXXXXXX.wmf"}};
    const std::string a = platform::createScratchFile(places), b = platform::createScratchFile(places);
    for (const std::string& p : {a, b}) {
        ASSERT_EQ(p.rfind(dir + "/~zelqtmp", 0), 0u) << p;
        EXPECT_EQ(p.size(), dir.size() + 19) << p;
        struct stat st {};
        ASSERT_EQ(stat(p.c_str(), &st), 0) << p;
        EXPECT_EQ(st.st_mode & 0777, 0600u) << p;
    }
    EXPECT_NE(a, b);
    // With no place at all, a name of this process's own that is not there.
    const std::string none = platform::createScratchFile({{"/nonexistent-folder", "~zelqtmpXXXXXX.wmf"}});
    EXPECT_EQ(none, "/nonexistent-folder/~zelqtmp" + std::to_string(getpid()) + ".wmf");
    unlink(a.c_str());
    unlink(b.c_str());
    rmdir(dir.c_str());
}

TEST(Paths, LoadsLibrariesByName) {
    void* libm = platform::loadLibrary("libm.so.6");  // found on the library path
    ASSERT_NE(libm, nullptr);
    auto cosine = reinterpret_cast<double (*)(double)>(platform::librarySymbol(libm, "cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(platform::librarySymbol(libm, "no_such_symbol_here"), nullptr);
    platform::freeLibrary(libm);
    EXPECT_EQ(platform::loadLibrary("libno-such-library.so"), nullptr);
    EXPECT_EQ(platform::loadLibrary(""), nullptr);
    EXPECT_EQ(platform::librarySymbol(nullptr, "cos"), nullptr);
}

TEST(SettingsStore, StoresPerSectionAndKey) {
    std::string base = testing::TempDir() + "quillet-settings-" + std::to_string(getpid());
    setenv("XDG_CONFIG_HOME", base.c_str(), 1);
    EXPECT_EQ(platform::settingsFilePath(), base + "/Quillet/settings.ini");
    EXPECT_EQ(platform::getSetting("Settings", "ShowWordWarning", "dflt"), "dflt");
    struct Step {
        const char *section, *key, *value;
    } steps[] = {
        {"Settings", "ShowWordWarning", "0"},
        {"Other", "ShowWordWarning", "other"},
        {"settings", "showwordwarning", "-1"},  // names ignore case: replaces the first
        {"Settings", "Second", "a=b"},
    };
    for (const Step& s : steps) ASSERT_TRUE(platform::putSetting(s.section, s.key, s.value)) << s.key;
    EXPECT_EQ(platform::getSetting("Settings", "ShowWordWarning"), "-1");
    EXPECT_EQ(platform::getSetting("Other", "ShowWordWarning"), "other");
    EXPECT_EQ(platform::getSetting("Settings", "Second"), "a=b");
    EXPECT_EQ(platform::getSetting("Missing", "Second", "x"), "x");
    EXPECT_FALSE(platform::putSetting("Settings", "", "v"));
    EXPECT_FALSE(platform::putSetting("Settings", "a=b", "v"));

    std::ifstream in(platform::settingsFilePath());
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "[Settings]\nShowWordWarning=-1\nSecond=a=b\n\n[Other]\nShowWordWarning=other\n");
    unsetenv("XDG_CONFIG_HOME");
}

TEST(Clipboard, OwnsTheMetafileItHolds) {
    platform::InProcessClipboard clip;
    auto picture = [] {
        gdi::Handle dc = gdi::CreateMetaFile(nullptr);
        gdi::SetWindowExtEx(dc, 100, -50);
        return gdi::MetafilePict{8, 100, 50, gdi::CloseMetaFile(dc)};
    };
    gdi::MetafilePict first = picture(), second = picture();
    clip.setMetafilePict(first);
    clip.setText("text");
    clip.setMetafilePict(second);
    EXPECT_EQ(gdi::objectKind(first.hMF), gdi::ObjectKind::None) << "the replaced picture is released";
    ASSERT_TRUE(clip.metafilePict());
    EXPECT_EQ(clip.metafilePict()->hMF, second.hMF);
    EXPECT_EQ(clip.text(), "text");
    clip.empty();
    EXPECT_FALSE(clip.metafilePict());
    EXPECT_FALSE(clip.text());
    EXPECT_EQ(gdi::objectKind(second.hMF), gdi::ObjectKind::None);

    platform::setClipboard(&clip);
    EXPECT_EQ(&platform::clipboard(), &clip);
    platform::setClipboard(nullptr);
    EXPECT_NE(&platform::clipboard(), &clip);
}
