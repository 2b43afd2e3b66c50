// The controls of the option dialogs: the spin field's steps and readings, the check group's mask.
#include "support/window_fixture.h"
#include "ui/check_group.h"
#include "ui/cp1250_validator.h"
#include "ui/spin_field.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>

namespace {

class OptionControls : public ::testing::Test
{
protected:
    void SetUp() override { testing_support::application(); }
};

TEST_F(OptionControls, SpinFieldStepsByOneWithArrowsAndByFiveWithPageKeysWithinRange)
{
    ui::SpinField field;
    field.setRange(0, 30);
    field.setValue(2);
    QTest::keyClick(&field, Qt::Key_Up);
    EXPECT_EQ(field.value(), 3);
    QTest::keyClick(&field, Qt::Key_PageUp);
    EXPECT_EQ(field.value(), 8);
    QTest::keyClick(&field, Qt::Key_PageDown);
    QTest::keyClick(&field, Qt::Key_PageDown);
    EXPECT_EQ(field.value(), 0);
    field.setValue(28);
    QTest::keyClick(&field, Qt::Key_PageUp);
    EXPECT_EQ(field.value(), 30);
    field.setValue(99);
    EXPECT_EQ(field.value(), 30);
}

TEST_F(OptionControls, SpinFieldReadsTypedTextIntoRangeAndNonNumbersAsZero)
{
    ui::SpinField field;
    field.setRange(0, 30);
    field.setValue(12);
    const struct
    {
        const char* typed;
        int value;
    } cases[] = {{"45", 30}, {"-3", 0}, {"abc", 0}, {" 7 ", 7}, {"", 0}, {"12x", 0}, {"99999999999", 30}};
    for (const auto& c : cases) {
        field.setValue(12);
        field.editor()->setText(QString::fromLatin1(c.typed));
        field.interpretTypedText();
        EXPECT_EQ(field.value(), c.value) << c.typed;
        EXPECT_EQ(field.editor()->text(), QString::number(c.value)) << c.typed;
    }
}

TEST_F(OptionControls, CheckGroupValueIsTheMaskOfCheckedBoxes)
{
    ui::CheckGroup group(2);
    group.setItems({"a", "b", "c", "d"});
    EXPECT_EQ(group.value(), 0u);
    QSignalSpy changes(&group, &ui::CheckGroup::valueChanged);
    group.setValue(0xFFFFu); // bits beyond the items are ignored
    EXPECT_EQ(group.value(), 0xFu);
    EXPECT_EQ(changes.count(), 1) << "one notification per change of the value";
    group.box(1)->setChecked(false);
    EXPECT_EQ(group.value(), 0xDu);
    group.setItems({"x", "y"});
    EXPECT_EQ(group.value(), 0u) << "new items start unchecked";
}

TEST_F(OptionControls, Cp1250ValidatorRefusesCharactersWithoutAByte)
{
    EXPECT_TRUE(ui::Cp1250Validator::isStorable(QStringLiteral("Őrült Ütő ŐŰőű")));
    EXPECT_FALSE(ui::Cp1250Validator::isStorable(QStringLiteral("Ωmega")));
    EXPECT_FALSE(ui::Cp1250Validator::isStorable(QStringLiteral("\U0001F600")));
}

} // namespace
