// The Windows resource script, compiled by windres at build time, read back: the version block
// and the icon group 1 with its one image 30001 taken from orvane.ico.

#include "res_file.h"

#include <QFile>
#include <gtest/gtest.h>

#include <map>

namespace {

constexpr std::uint16_t kIconType = 3;
constexpr std::uint16_t kIconGroupType = 14;
constexpr std::uint16_t kVersionType = 16;
constexpr std::uint16_t kEnglishUnitedStates = 0x0409;

QByteArray readWhole(const char* path) {
    QFile file(QString::fromUtf8(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll();
}

class WindowsResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::string(ORVANE_WINDOWS_RES).empty()) {
            GTEST_SKIP() << "mingw-w64 windres was not found when configuring "
                            "(Debian package binutils-mingw-w64-x86-64): nothing to check";
        }
        resources = restest::ReadResFile(readWhole(ORVANE_WINDOWS_RES));
    }

    // The resources of one numeric type, by numeric name.
    std::map<int, const restest::Resource*> ofType(std::uint16_t type) const {
        std::map<int, const restest::Resource*> found;
        for (const restest::Resource& resource : resources) {
            if (!resource.type.isText && resource.type.number == type) {
                EXPECT_FALSE(resource.name.isText);
                found[resource.name.number] = &resource;
            }
        }
        return found;
    }

    std::vector<restest::Resource> resources;
};

TEST_F(WindowsResourcesTest, HoldsExactlyVersionIconAndIconGroupInUsEnglish) {
    ASSERT_EQ(resources.size(), 3u);
    for (const restest::Resource& resource : resources) {
        EXPECT_EQ(resource.language, kEnglishUnitedStates);
    }
    EXPECT_EQ(ofType(kVersionType).count(1), 1u);
    EXPECT_EQ(ofType(kIconType).count(30001), 1u);
    EXPECT_EQ(ofType(kIconGroupType).count(1), 1u);
}

TEST_F(WindowsResourcesTest, FixedVersionIsOneZeroZeroThreeForAnApplication) {
    const auto versions = ofType(kVersionType);
    ASSERT_EQ(versions.count(1), 1u);
    const restest::VersionNode root = restest::ReadVersionBlock(versions.at(1)->data);
    EXPECT_EQ(root.key, QStringLiteral("VS_VERSION_INFO"));
    const QByteArray& fixed = root.bytes;
    ASSERT_EQ(fixed.size(), 52);
    EXPECT_EQ(restest::Dword(fixed, 0), 0xFEEF04BDu);  // signature
    EXPECT_EQ(restest::Dword(fixed, 8), 0x00010000u);  // file version 1.0
    EXPECT_EQ(restest::Dword(fixed, 12), 0x00000003u); // .0.3
    EXPECT_EQ(restest::Dword(fixed, 16), 0x00010000u); // product version 1.0
    EXPECT_EQ(restest::Dword(fixed, 20), 0x00000003u); // .0.3
    EXPECT_EQ(restest::Dword(fixed, 24), 0u);          // flags mask
    EXPECT_EQ(restest::Dword(fixed, 28), 0u);          // flags
    EXPECT_EQ(restest::Dword(fixed, 32), 0x00000004u); // 32-bit Windows
    EXPECT_EQ(restest::Dword(fixed, 36), 0x00000001u); // application
}

TEST_F(WindowsResourcesTest, StringsNameTheProductInUsEnglishUnicode) {
    const auto versions = ofType(kVersionType);
    ASSERT_EQ(versions.count(1), 1u);
    const restest::VersionNode root = restest::ReadVersionBlock(versions.at(1)->data);
    const restest::VersionNode* strings = root.child(QStringLiteral("StringFileInfo"));
    ASSERT_NE(strings, nullptr);
    ASSERT_EQ(strings->children.size(), 1u);
    const restest::VersionNode* table = strings->child(QStringLiteral("040904B0"));
    ASSERT_NE(table, nullptr);

    std::map<std::string, std::string> values;
    for (const restest::VersionNode& entry : table->children) {
        EXPECT_TRUE(entry.isText) << entry.key.toStdString();
        values[entry.key.toStdString()] = entry.text.toStdString();
    }
    const std::map<std::string, std::string> expected = {
        {"CompanyName", "Atelier Orvane"},  {"FileDescription", "Orvane Zelkis"},
        {"FileVersion", "1.00.0003"},       {"InternalName", "Orvane"},
        {"OriginalFilename", "Orvane.exe"}, {"ProductName", "Orvane"},
        {"ProductVersion", "1.00.0003"},
    };
    EXPECT_EQ(values, expected);

    const restest::VersionNode* variables = root.child(QStringLiteral("VarFileInfo"));
    ASSERT_NE(variables, nullptr);
    const restest::VersionNode* translation = variables->child(QStringLiteral("Translation"));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(translation->bytes.size(), 4);
    EXPECT_EQ(restest::Word(translation->bytes, 0), 0x0409);
    EXPECT_EQ(restest::Word(translation->bytes, 2), 1200);
}

// The group is the icon file's directory with the image's resource id in place of its offset,
// and the image is the file's image byte for byte.
TEST_F(WindowsResourcesTest, IconGroupOnePointsAtImage30001FromTheIconFile) {
    const QByteArray icon = readWhole(ORVANE_ICON_FILE);
    ASSERT_GE(icon.size(), 22);
    ASSERT_EQ(restest::Word(icon, 4), 1) << "the icon file holds one image";
    const std::uint32_t imageSize = restest::Dword(icon, 14);
    const std::uint32_t imageOffset = restest::Dword(icon, 18);

    const auto groups = ofType(kIconGroupType);
    ASSERT_EQ(groups.count(1), 1u);
    const QByteArray& group = groups.at(1)->data;
    ASSERT_EQ(group.size(), 20);
    EXPECT_EQ(restest::Word(group, 0), 0);
    EXPECT_EQ(restest::Word(group, 2), 1); // icons
    EXPECT_EQ(restest::Word(group, 4), 1); // one entry
    EXPECT_EQ(group.mid(6, 4), icon.mid(6, 4)) << "width, height, colours, reserved";
    EXPECT_EQ(restest::Word(group, 10), 1); // planes
    EXPECT_EQ(restest::Word(group, 12), 8); // bits per pixel
    EXPECT_EQ(restest::Dword(group, 14), imageSize);
    EXPECT_EQ(restest::Word(group, 18), 30001);

    const auto images = ofType(kIconType);
    ASSERT_EQ(images.count(30001), 1u);
    EXPECT_EQ(images.at(30001)->data, icon.mid(int(imageOffset), int(imageSize)));
    EXPECT_EQ(restest::Dword(images.at(30001)->data, 0), 40u) << "a bitmap info header first";
}

} // namespace
