#include "app/framework/ini_document.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

const char kFile[] =
    "; written by hand\r\n"
    "[Config]\r\n"
    "Snap=20\r\n"
    "RightClickClose=7\r\n"
    "\r\n"
    "[Stat]\r\n"
    "MouseMove=         123456\r\n"
    "[IconBig]\r\n"
    "0=desktop.ini\r\n";

TEST(IniDocument, ReadsKeysAsTheSystemsProfileFunctionsDo) {
    const IniDocument ini(
        "[config]\n SNAP = -5 \nA=12abc\nB=abc\nC=0x10\nD=\"quoted text\"\nE=\nA=99\n;F=1\n[Other]\nG=3");
    EXPECT_EQ(ini.GetInt("Config", "Snap", 20), -5) << "sections and keys without regard to case; blanks";
    EXPECT_EQ(ini.GetInt("Config", "A", 0), 12) << "the leading digits; the first of two keys";
    EXPECT_EQ(ini.GetInt("Config", "B", 20), 0) << "no number: 0, as the system reads it";
    EXPECT_EQ(ini.GetInt("Config", "C", 0), 16);
    EXPECT_EQ(ini.GetInt("Config", "E", 7), 7) << "an empty value";
    EXPECT_EQ(ini.GetInt("Config", "F", 4), 4) << "a comment is no key";
    EXPECT_EQ(ini.GetInt("Config", "G", 5), 5) << "a key of another section";
    EXPECT_EQ(ini.GetInt("Other", "G", 5), 3) << "a last line without an end";
    EXPECT_EQ(ini.GetInt("Missing", "Snap", 20), 20);
    EXPECT_EQ(ini.Get("Config", "D"), "\"quoted text\"") << "quotes are kept as stored";
    const IniDocument commands(
        "[Cut]\nBR=\"C:\\a b\\x.exe\" \"C:\\c d\\y.txt\"\nBW=\"C:\\Program Files\\App\\app.exe\"\nN=\"50\"\n");
    EXPECT_EQ(commands.Get("Cut", "BR"), "\"C:\\a b\\x.exe\" \"C:\\c d\\y.txt\"") << "a command line, whole";
    EXPECT_EQ(commands.Get("Cut", "BW"), "\"C:\\Program Files\\App\\app.exe\"") << "a path that needs its quotes";
    EXPECT_EQ(commands.GetInt("Cut", "N", 0), 50) << "a number in quotes reads as the system reads it";
    EXPECT_EQ(IniDocument("[S]\nBig=4294967295\n").GetInt("S", "Big", 0), -1) << "wraps as a 32-bit value";
    EXPECT_EQ(IniDocument("\xEF\xBB\xBF[S]\nk=4\n").GetInt("S", "k", 0), 4) << "a UTF-8 mark before the first section";
}

TEST(IniDocument, SettingAKeyKeepsEveryOtherLine) {
    IniDocument ini(kFile);
    EXPECT_EQ(ini.Text(), kFile) << "read and written back unchanged";
    ini.SetInt("Config", "Snap", 30);
    ini.SetInt("config", "AllowSnap", 1);
    ini.Set("Stat", "MouseMove", "         654321");
    ini.SetInt("Alpha", "Value", 200);
    EXPECT_EQ(ini.Text(),
              "; written by hand\r\n"
              "[Config]\r\n"
              "Snap=30\r\n"
              "RightClickClose=7\r\n"
              "AllowSnap=1\r\n"
              "\r\n"
              "[Stat]\r\n"
              "MouseMove=         654321\r\n"
              "[IconBig]\r\n"
              "0=desktop.ini\r\n"
              "[Alpha]\r\n"
              "Value=200\r\n");
    EXPECT_EQ(IniDocument("[A]\nx=1\n").Text(), "[A]\r\nx=1\r\n") << "line ends become CR LF";
    IniDocument repeated("top=1\n[A]\nx=1\n; note\n\n[B]\ny=2\n[a]\nx=3\nz=4\n");
    repeated.Set("A", "z", "5");
    repeated.Set("A", "w", "6");
    EXPECT_EQ(repeated.Get("A", "z"), "5") << "the first section of a name is the one read and written";
    EXPECT_EQ(repeated.Text(), "top=1\r\n[A]\r\nx=1\r\nz=5\r\nw=6\r\n; note\r\n\r\n[B]\r\ny=2\r\n[a]\r\nx=3\r\nz=4\r\n")
        << "keys added after the section's last key, before its blank line and comment";
    EXPECT_EQ(repeated.Get("", "top"), std::nullopt) << "the lines before the first section belong to none";
    IniDocument quoted("[Cut]\nBR=x\n");
    quoted.Set("Cut", "BR", "\"C:\\a b\\x.exe\" \"arg\"");
    EXPECT_EQ(IniDocument(quoted.Text()).Get("Cut", "BR"), "\"C:\\a b\\x.exe\" \"arg\"") << "written and read back unchanged";
    EXPECT_EQ(IniDocument("").Text(), "");
}

}  // namespace
}  // namespace quor
