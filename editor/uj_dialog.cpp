#include "editor/uj_dialog.h"

#include "game/tables.h"
#include "ui/centre.h"
#include "ui/colours.h"
#include "ui/cp1250_validator.h"
#include "ui/fonts.h"
#include "ui/icons.h"
#include "ui/radio_group.h"
#include "ui/text.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// A row field opens holding its 13 cells, spaces included, so it is always full: typed characters go over
// the cells after the cursor, one each, as they would on the board, instead of being refused.
class TypeOverWhenFull : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Events also arrive while the field is being destroyed, when it is no longer a QLineEdit.
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool printable = !key->text().isEmpty() && key->text().at(0).isPrint();
            if (printable && !field->hasSelectedText() && field->text().size() >= field->maxLength()
                && field->cursorPosition() < field->text().size())
                field->setSelection(field->cursorPosition(), 1);
        }
        return false;
    }
};

QLineEdit* makeField(QWidget* parent, const char* name, QRect place, int limit)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(place);
    field->setMaxLength(limit);
    field->setFont(ui::boldPixelFont(14));
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, ui::Teal);
    field->setPalette(palette);
    return field;
}

QLabel* makeLabel(QWidget* parent, const char* name, QRect place, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    return label;
}

ui::RadioGroup* makeGroup(QWidget* parent, const char* name, QRect place, const QString& title, int columns,
                          const QStringList& items)
{
    auto* group = new ui::RadioGroup(title, columns, parent);
    group->setObjectName(QLatin1String(name));
    group->setGeometry(place);
    group->setItems(items);
    group->setItemIndex(0);
    return group;
}

} // namespace

TfrmUj::TfrmUj(QWidget* parent)
    : BuiltOnFirstShow(parent)
{
    setObjectName(QStringLiteral("frmUj"));
    setWindowTitle(QStringLiteral("Új feladat"));
    setFixedSize(520, 404);
    setModal(true);
}

void TfrmUj::buildWindow()
{
    buildControls();
    FormCreate();
}

void TfrmUj::buildControls()
{
    setFont(ui::defaultFont());

    Label1 = makeLabel(this, "Label1", {12, 12, 52, 24}, QStringLiteral("1. sor:"));
    Label2 = makeLabel(this, "Label2", {12, 42, 52, 24}, QStringLiteral("2. sor:"));
    Label3 = makeLabel(this, "Label3", {12, 72, 52, 24}, QStringLiteral("3. sor:"));
    e1 = makeField(this, "e1", {64, 12, 210, 24}, RowFieldLimit);
    e2 = makeField(this, "e2", {64, 42, 210, 24}, RowFieldLimit);
    e3 = makeField(this, "e3", {64, 72, 210, 24}, RowFieldLimit);
    auto* typeOver = new TypeOverWhenFull(this);
    for (QLineEdit* row : {e1, e2, e3})
        row->installEventFilter(typeOver);
    Label1->setBuddy(e1);
    Label2->setBuddy(e2);
    Label3->setBuddy(e3);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(412, 12, 96, 30);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Mégsem"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(412, 48, 96, 30);
    BitBtn1->setIcon(ui::icon("modok"));
    BitBtn2->setIcon(ui::icon("modcancel"));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject); // Esc rejects as well

    rgUjKat = makeGroup(this, "rgUjKat", {12, 106, 496, 110}, QStringLiteral("Kategória"), 4, {});

    Label4 = makeLabel(this, "Label4", {12, 224, 200, 18}, QStringLiteral("Súgószöveg:"));
    eSg1 = makeField(this, "eSg1", {12, 242, 496, 24}, HintFieldLimit);
    eSg2 = makeField(this, "eSg2", {12, 270, 496, 24}, HintFieldLimit);
    Label4->setBuddy(eSg1);
    // The one label names the first line only; a screen reader needs both told apart.
    eSg1->setAccessibleName(QStringLiteral("Súgószöveg, 1. sor"));
    eSg2->setAccessibleName(QStringLiteral("Súgószöveg, 2. sor"));
    for (QLineEdit* hint : {eSg1, eSg2})
        hint->setValidator(new ui::Cp1250Validator(hint)); // hints are stored as Windows-1250

    rgUjNyelv = makeGroup(this, "rgUjNyelv", {12, 302, 160, 90}, QStringLiteral("Nyelv"), 1,
                          {QStringLiteral("Magyar"), QStringLiteral("Angol")});
    rgUjFokozat = makeGroup(this, "rgUjFokozat", {184, 302, 324, 90}, QStringLiteral("Nehézségi szint"), 2,
                            {QStringLiteral("Gyerek"), QStringLiteral("Kezdő"), QStringLiteral("Közepes"),
                             QStringLiteral("Haladó")});

    // OK and Mégsem first, then the fields from top to bottom.
    QWidget::setTabOrder(BitBtn1, BitBtn2);
    QWidget::setTabOrder(BitBtn2, e1);
    QWidget::setTabOrder(e1, e2);
    QWidget::setTabOrder(e2, e3);
}

void TfrmUj::FormCreate()
{
    // The categories always come from the table the main window names a puzzle's category by.
    QStringList names;
    for (std::size_t k = 1; k < game::CategoryNames.size(); ++k)
        names << ui::toQt(game::CategoryNames[k]);
    rgUjKat->setItems(names);
    rgUjKat->setItemIndex(0);

    // The category buttons are new: thread them, then the rest of the dialog, after the row fields.
    QList<QWidget*> chain {e3};
    auto addButtons = [&chain](const ui::RadioGroup* group) {
        for (int i = 0; i < group->count(); ++i)
            chain << group->button(i);
    };
    addButtons(rgUjKat);
    chain << eSg1 << eSg2;
    addButtons(rgUjNyelv);
    addButtons(rgUjFokozat);
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
}

void TfrmUj::FormShow() { e1->setFocus(); }

void TfrmUj::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui::centreOnDesktop(*this);
    FormShow();
}
