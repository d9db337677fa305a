// cRegistry keys and values, on whichever registry the program runs.
#include "tests/unit/registry/registry_fixture.h"

namespace wf::testing {
namespace {

using Bytes = RegistryBytes;

class CRegistryValueTest : public RegistryFixture {
protected:
    cRegistry reg_ = scratchObject();

    RegistryVariant read(const std::string& name) {
        reg_.ValueKey(name);
        return reg_.Value();
    }
    void write(std::int32_t valueType, const std::string& name, const RegistryVariant& value) {
        reg_.ValueType(valueType);
        reg_.ValueKey(name);
        reg_.Value(value);
    }
    std::optional<StoredValue> stored(const std::string& name) { return probe_.get(kHkeyCurrentUser, scratch_, name); }
};

TEST_F(CRegistryValueTest, FreshObjectFindsNothingAndCannotCreate) {
    cRegistry fresh(registry(), "dbprep");
    EXPECT_EQ(fresh.ClassKey(), 0);
    EXPECT_EQ(fresh.ValueType(), 0);
    EXPECT_EQ(fresh.SectionKey(), "");
    EXPECT_EQ(fresh.ValueKey(), "");
    EXPECT_FALSE(fresh.KeyExists());
    EXPECT_EQ(fresh.Value(), RegistryVariant());
    OneBasedArray<std::string> names;
    std::int32_t count = -1;
    EXPECT_TRUE(fresh.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
    count = -1;
    EXPECT_TRUE(fresh.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(names.count(), 0);
    RegistryError error = raisedBy([&] { fresh.CreateKey(); });
    EXPECT_EQ(error.number(), kErrRegistryKey);
    EXPECT_EQ(error.source(), "dbprep.cRegistry");
    EXPECT_EQ(error.description(), "Failed to create registry Key: '");
}

TEST_F(CRegistryValueTest, KeysAreCreatedFoundAndDeletedWhenEmpty) {
    reg_.SectionKey(scratch_ + "\\One\\Two");
    EXPECT_FALSE(reg_.KeyExists());
    EXPECT_TRUE(reg_.CreateKey());
    EXPECT_TRUE(reg_.CreateKey());
    EXPECT_TRUE(reg_.KeyExists());
    reg_.SectionKey(scratch_ + "\\One");
    RegistryError error = raisedBy([&] { reg_.DeleteKey(); });
    EXPECT_EQ(error.number(), kErrRegistryKey);
    EXPECT_EQ(error.description(), "Failed to delete registry Key: '-2147483647',Section: '" + scratch_ + "\\One");
    reg_.SectionKey(scratch_ + "\\One\\Two");
    EXPECT_TRUE(reg_.DeleteKey());
    EXPECT_FALSE(reg_.KeyExists());
}

TEST_F(CRegistryValueTest, MissingValueGivesTheDefaultAndKeepsTheType) {
    probe_.createKey(kHkeyCurrentUser, scratch_);
    reg_.ValueType(kRegDword);
    reg_.Default(std::string("fallback"));
    EXPECT_EQ(read("Missing"), RegistryVariant(std::string("fallback")));
    reg_.SectionKey(scratch_ + "\\Missing");
    EXPECT_EQ(read(""), RegistryVariant(std::string("fallback")));
    EXPECT_EQ(reg_.ValueType(), kRegDword);
}

TEST_F(CRegistryValueTest, TextComesBackWithoutItsTerminator) {
    probe_.putText(kHkeyCurrentUser, scratch_, "Path", "C:\\Wrenfold");
    probe_.putText(kHkeyCurrentUser, scratch_, "Empty", "");
    probe_.put(kHkeyCurrentUser, scratch_, "List", kRegMultiSz, {'a', 0, 'b', 'c', 0, 0});
    EXPECT_EQ(read("path"), RegistryVariant(std::string("C:\\Wrenfold")));
    EXPECT_EQ(reg_.ValueType(), kRegSz);
    EXPECT_EQ(read("Empty"), RegistryVariant(std::string()));
    EXPECT_EQ(read("List"), RegistryVariant(std::string("a\0bc\0", 5)));
    EXPECT_EQ(reg_.ValueType(), kRegMultiSz);
}

TEST_F(CRegistryValueTest, ExpandableTextIsExpanded) {
    target_->setEnvironment("WF_REGISTRY_TEST", "C:\\Data");
    probe_.putText(kHkeyCurrentUser, scratch_, "Folder", "%WF_REGISTRY_TEST%\\db;%WF_REGISTRY_UNSET%", kRegExpandSz);
    EXPECT_EQ(read("Folder"), RegistryVariant(std::string("C:\\Data\\db;%WF_REGISTRY_UNSET%")));
    EXPECT_EQ(reg_.ValueType(), kRegExpandSz);
}

TEST_F(CRegistryValueTest, NumbersAndBytesAreReadByType) {
    probe_.put(kHkeyCurrentUser, scratch_, "Little", kRegDword, {7, 0, 0, 0});
    probe_.put(kHkeyCurrentUser, scratch_, "Big", kRegDwordBigEndian, {0, 0, 1, 0});
    probe_.put(kHkeyCurrentUser, scratch_, "Long", kRegDword, {1, 2, 3, 4, 5, 6, 7, 8});
    probe_.put(kHkeyCurrentUser, scratch_, "Bytes", kRegBinary, {1, 2});
    probe_.put(kHkeyCurrentUser, scratch_, "None", kRegBinary, {});
    probe_.put(kHkeyCurrentUser, scratch_, "Quad", 11, {9, 8, 7, 6, 5, 4, 3, 2});
    EXPECT_EQ(read("Little"), RegistryVariant(7));
    EXPECT_EQ(read("Big"), RegistryVariant(256));
    EXPECT_EQ(reg_.ValueType(), kRegDwordBigEndian);
    EXPECT_EQ(read("Long"), RegistryVariant(0x04030201));
    EXPECT_EQ(read("Bytes"), RegistryVariant(Bytes{1, 2, 0}));
    EXPECT_EQ(read("None"), RegistryVariant(Bytes{0}));
    EXPECT_EQ(read("Quad"), RegistryVariant(Bytes{9, 8, 7, 6, 5, 4, 3, 2, 0}));
    EXPECT_EQ(reg_.ValueType(), 11);
}

TEST_F(CRegistryValueTest, PercentSignsChooseExpandableText) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"50%", kRegSz}, {"%%", kRegSz}, {"%x", kRegSz}, {"plain", kRegSz},
        {"%PATH%\\bin", kRegExpandSz}, {"a%b%", kRegExpandSz}, {"%%%", kRegExpandSz}};
    for (std::int32_t valueType : {kRegSz, kRegExpandSz}) {
        for (const auto& [text, type] : cases) {
            write(valueType, "Text", std::string(text));
            auto value = stored("Text");
            ASSERT_TRUE(value) << text;
            EXPECT_EQ(value->type, type) << text << " with ValueType " << valueType;
            EXPECT_EQ(value->text(), std::string(text) + '\0');
        }
    }
}

TEST_F(CRegistryValueTest, OtherKindsAreWrittenAsTheirText) {
    write(kRegSz, "Empty", RegistryVariant());
    write(kRegSz, "Number", -12);
    write(kRegSz, "Bytes", Bytes{'o', 'k'});
    EXPECT_EQ(stored("Empty")->text(), std::string(1, '\0'));
    EXPECT_EQ(stored("Number")->text(), std::string("-12\0", 4));
    EXPECT_EQ(stored("Bytes")->text(), std::string("ok\0", 3));
}

TEST_F(CRegistryValueTest, NumbersAreWrittenAsDwordsAndOtherKindsSkipped) {
    write(kRegDwordBigEndian, "Seven", 7);
    write(kRegDword, "Minus", -1);
    write(kRegDword, "Text", std::string("12"));
    EXPECT_EQ(stored("Seven")->type, kRegDword);
    EXPECT_EQ(stored("Seven")->data, (Bytes{7, 0, 0, 0}));
    EXPECT_EQ(stored("Minus")->data, (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(stored("Text"));
}

TEST_F(CRegistryValueTest, ByteArraysRoundTripAndOtherKindsAreRefused) {
    probe_.put(kHkeyCurrentUser, scratch_, "Bytes", kRegBinary, {1, 2, 3});
    write(kRegBinary, "Copy", read("Bytes"));
    EXPECT_EQ(stored("Copy")->type, kRegBinary);
    EXPECT_EQ(stored("Copy")->data, (Bytes{1, 2, 3}));
    write(kRegBinary, "Empty", Bytes{});
    EXPECT_EQ(stored("Empty")->data, Bytes{});
    RegistryError error = raisedBy([&] { write(kRegBinary, "Text", std::string("abc")); });
    EXPECT_EQ(error.number(), kErrRegistryKey);
    EXPECT_EQ(error.description(), "Application-defined or object-defined error");
    EXPECT_FALSE(stored("Text"));
}

TEST_F(CRegistryValueTest, UnsupportedTypesAndMissingRootsRaise) {
    const std::string description =
        "Failed to set registry value Key: '-2147483647',Section: '" + scratch_ + "',Key: 'Name' to value: 'x'";
    for (std::int32_t valueType : {kRegMultiSz, kRegNone}) {
        RegistryError error = raisedBy([&] { write(valueType, "Name", std::string("x")); });
        EXPECT_EQ(error.number(), -2147194455);
        EXPECT_EQ(error.source(), "dbprep.cRegistry");
        EXPECT_EQ(error.description(), description);
    }
    EXPECT_FALSE(stored("Name"));
    reg_.ClassKey(0);
    RegistryError error = raisedBy([&] { write(kRegSz, "Name", 5); });
    EXPECT_EQ(error.number(), kErrRegistryKey);
    EXPECT_EQ(error.description(), "Failed to set registry value Key: '0',Section: '" + scratch_ +
                                       "',Key: 'Name' to value: '5'");
}

TEST_F(CRegistryValueTest, DeleteValueNamesWhatItCouldNotDelete) {
    probe_.putText(kHkeyCurrentUser, scratch_, "Name", "x");
    reg_.ValueKey("Name");
    EXPECT_TRUE(reg_.DeleteValue());
    EXPECT_FALSE(stored("Name"));
    RegistryError error = raisedBy([&] { reg_.DeleteValue(); });
    EXPECT_EQ(error.number(), kErrRegistryKey);
    EXPECT_EQ(error.description(),
              "Failed to delete registry Key: '-2147483647',Section: '" + scratch_ + "',Key: 'Name");
    reg_.SectionKey(scratch_ + "\\Missing");
    error = raisedBy([&] { reg_.DeleteValue(); });
    EXPECT_EQ(error.description(),
              "Failed to open key '-2147483647',Section: '" + scratch_ + "\\Missing' for delete access");
}

}  // namespace
}  // namespace wf::testing
