#include "records/Records.h"
#include "records/UserRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace vitalog {
namespace {

// Every text field: the longest text that fits is stored whole and zero-filled behind; one
// byte more (or an embedded NUL) is refused and leaves the field exactly as it was.
template <class Record, std::size_t FieldSize>
void CheckField(char (Record::*field)[FieldSize], bool (Record::*set)(std::string_view),
                std::string (Record::*get)() const) {
    Record r;
    std::memset(r.*field, 'x', FieldSize);
    ASSERT_TRUE((r.*set)("short"));
    EXPECT_EQ((r.*get)(), "short");
    for (std::size_t i = 5; i < FieldSize; ++i)
        ASSERT_EQ((r.*field)[i], '\0') << "not zero-filled at " << i;

    const std::string longest(FieldSize - 1, 'a');
    ASSERT_TRUE((r.*set)(longest));
    EXPECT_EQ((r.*get)(), longest);
    EXPECT_EQ((r.*field)[FieldSize - 1], '\0');

    Record before = r;
    EXPECT_FALSE((r.*set)(longest + "b"));
    EXPECT_EQ(std::memcmp(r.*field, before.*field, FieldSize), 0);
    EXPECT_FALSE((r.*set)(std::string("a\0b", 3)));
    EXPECT_EQ(std::memcmp(r.*field, before.*field, FieldSize), 0);

    // A field without any NUL (a damaged record) is read up to its end and no further.
    std::memset(r.*field, 'z', FieldSize);
    EXPECT_EQ((r.*get)(), std::string(FieldSize, 'z'));
}

TEST(RecordText, FieldsStoreWhatFitsAndRefuseTheRest) {
    CheckField(&UserRecord::name, &UserRecord::SetName, &UserRecord::Name);
    CheckField(&BodyFatRecord::method, &BodyFatRecord::SetMethod, &BodyFatRecord::Method);
    CheckField(&BloodPressureRecord::notes, &BloodPressureRecord::SetNotes,
               &BloodPressureRecord::Notes);
    CheckField(&PictureRecord::path, &PictureRecord::SetPath, &PictureRecord::Path);
}

TEST(RecordText, LimitsAreTheDocumentedOnes) {
    BloodPressureRecord bp;
    EXPECT_TRUE(bp.SetNotes(std::string(254, 'n')));
    EXPECT_FALSE(bp.SetNotes(std::string(255, 'n')));
    EXPECT_EQ(bp.Notes().size(), 254u);
    PictureRecord pt;
    EXPECT_TRUE(pt.SetPath(std::string(299, 'p')));
    EXPECT_FALSE(pt.SetPath(std::string(300, 'p')));
    UserRecord u;
    EXPECT_TRUE(u.SetName(std::string(31, 'u')));
    EXPECT_FALSE(u.SetName(std::string(32, 'u')));
}

} // namespace
} // namespace vitalog
