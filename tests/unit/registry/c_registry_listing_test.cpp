// cRegistry enumeration and file-type associations, on whichever registry the
// program runs.
#include "tests/unit/registry/registry_fixture.h"

namespace wf::testing {
namespace {

using CRegistryListingTest = RegistryFixture;

TEST_F(CRegistryListingTest, ValueNamesAreNumberedFromOne) {
    probe_.putText(kHkeyCurrentUser, scratch_, "Alpha", "x");
    probe_.put(kHkeyCurrentUser, scratch_, "Beta", kRegDword, {1, 0, 0, 0});
    probe_.putText(kHkeyCurrentUser, scratch_, "Gamma with a longer name", "");
    cRegistry reg = scratchObject();
    OneBasedArray<std::string> names;
    std::int32_t count = 0;
    ASSERT_TRUE(reg.EnumerateValues(names, count));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(names[1], "Alpha");
    EXPECT_EQ(names[2], "Beta");
    EXPECT_EQ(names[3], "Gamma with a longer name");
    EXPECT_THROW(names[0], RunError);
    reg.SectionKey(scratch_ + "\\Missing");
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(names.count(), 0);
}

TEST_F(CRegistryListingTest, SubkeysAreListedUntilANameFillsTheBuffer) {
    RegKey scratch = 0;
    probe_.createKey(kHkeyCurrentUser, scratch_);
    ASSERT_EQ(registry().openKey(kHkeyCurrentUser, scratch_, kKeyAllAccessClassic, scratch), kRegSuccess);
    for (const std::string& name : {std::string("beta"), std::string("Alpha"), std::string(254, 'w'),
                                    std::string(255, 'x'), std::string("Zulu")})
        probe_.createKey(scratch, name);
    registry().closeKey(scratch);
    cRegistry reg = scratchObject();
    OneBasedArray<std::string> names;
    std::int32_t count = 0;
    ASSERT_TRUE(reg.EnumerateSections(names, count));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(names[1], "Alpha");
    EXPECT_EQ(names[2], "beta");
    EXPECT_EQ(names[3], std::string(254, 'w'));
}

// Where file types are registered: the classes root, and the machine's classes.
const std::pair<RegKey, std::string> kClassViews[] = {{kHkeyClassesRoot, ""},
                                                      {kHkeyLocalMachine, "SOFTWARE\\Classes\\"}};

class CRegistryAssociationTest : public RegistryFixture {
protected:
    // The names carry the process id, which Wine gives out again: a program that
    // ended before its TearDown leaves its class to the next one with that id.
    void SetUp() override {
        RegistryFixture::SetUp();
        removeClass();
    }
    void TearDown() override {
        removeClass();
        RegistryFixture::TearDown();
    }
    void removeClass() {
        for (auto [root, prefix] : kClassViews) {
            probe_.removeTree(root, prefix + className_);
            probe_.removeTree(root, prefix + "." + extension_);
        }
    }
    // The default value of a key below the class, in both views of the classes.
    void expectClassText(const std::string& section, const std::string& text) {
        for (auto [root, prefix] : kClassViews) {
            auto value = probe_.get(root, prefix + section, "");
            ASSERT_TRUE(value) << prefix << section;
            EXPECT_EQ(value->type, kRegSz);
            EXPECT_EQ(value->text(), text + '\0') << prefix << section;
        }
    }

    const std::string className_ = target_->uniqueName("WrenfoldTest.Document");
    const std::string extension_ = target_->uniqueName("wft");
    cRegistry reg_{registry(), "dbprep"};
};

TEST_F(CRegistryAssociationTest, OpenVerbUsesTheTrimmedPathInQuotes) {
    reg_.CreateEXEAssociation("  C:\\Program Files\\Wf\\wf.exe  ", className_, "Wrenfold document", extension_, "",
                              false, "", false, "", false, "", -1);
    expectClassText("." + extension_, className_);
    expectClassText(className_, "Wrenfold document");
    expectClassText(className_ + "\\shell\\open", "&Open");
    expectClassText(className_ + "\\shell\\open\\command", "\"C:\\Program Files\\Wf\\wf.exe\" \"%1\"");
    EXPECT_FALSE(probe_.hasKey(kHkeyClassesRoot, className_ + "\\DefaultIcon"));
    EXPECT_FALSE(probe_.hasKey(kHkeyClassesRoot, className_ + "\\shell\\print"));
    EXPECT_EQ(reg_.ClassKey(), -2147483646);
    EXPECT_EQ(reg_.SectionKey(), className_ + "\\shell\\open\\command");
    EXPECT_EQ(reg_.ValueKey(), "");
    EXPECT_EQ(reg_.ValueType(), kRegSz);
}

TEST_F(CRegistryAssociationTest, EveryVerbAndTheIcon) {
    reg_.CreateEXEAssociation("\"C:\\wf.exe\"", className_, "Doc", extension_, "&View", true, "", true, "Make &new",
                              true, "", 0);
    expectClassText(className_ + "\\shell\\open", "&View");
    expectClassText(className_ + "\\shell\\print", "&Print");
    expectClassText(className_ + "\\shell\\print\\command", "\"C:\\wf.exe\" /p \"%1\"");
    expectClassText(className_ + "\\shell\\add", "&Install " + extension_);
    expectClassText(className_ + "\\shell\\add\\command", "\"C:\\wf.exe\" /a \"%1\"");
    expectClassText(className_ + "\\shell\\new", "Make &new");
    expectClassText(className_ + "\\shell\\new\\command", "\"C:\\wf.exe\" /n \"%1\"");
    expectClassText(className_ + "\\DefaultIcon", "\"C:\\wf.exe\",0");
    EXPECT_EQ(reg_.SectionKey(), className_ + "\\DefaultIcon");
}

TEST_F(CRegistryAssociationTest, AdditionalVerbsNeedTriplesAndARegisteredClass) {
    RegistryError error = raisedBy([&] {
        reg_.CreateAdditionalEXEAssociations(className_, {std::string("edit"), std::string("&Edit"),
                                                          std::string("wf.exe /e"), std::string("view")});
    });
    EXPECT_EQ(error.number(), -2147194452);
    EXPECT_EQ(error.description(),
              "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
    error = raisedBy([&] { reg_.CreateAdditionalEXEAssociations(className_, {}); });
    EXPECT_EQ(error.number(), -2147194451);
    EXPECT_EQ(error.source(), "dbprep.cRegistry");
    EXPECT_EQ(error.description(), "Error - attempt to create additional associations before class defined.");
    EXPECT_FALSE(probe_.hasKey(kHkeyClassesRoot, className_));

    reg_.CreateEXEAssociation("C:\\wf.exe", className_, "Doc", extension_, "", false, "", false, "", false, "", -1);
    reg_.CreateAdditionalEXEAssociations(className_, {std::string("edit"), std::string("&Edit"),
                                                      std::string("\"C:\\wf.exe\" /e \"%1\""), std::string("run"),
                                                      std::string("&Run"), 5});
    expectClassText(className_ + "\\shell\\edit", "&Edit");
    expectClassText(className_ + "\\shell\\edit\\command", "\"C:\\wf.exe\" /e \"%1\"");
    expectClassText(className_ + "\\shell\\run\\command", "5");
    EXPECT_EQ(reg_.SectionKey(), className_ + "\\shell\\run\\command");
}

}  // namespace
}  // namespace wf::testing
