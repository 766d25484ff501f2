#include "app/Controls.h"

#include "app/Accessible.h"
#include "app/PictureTexts.h"
#include "app/Pictures.h"
#include "core/Numbers.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>

namespace corvelle {

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x85) ||
           c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// Accepts every text; it only takes the line breaks out, keeping the cursor where it was.
class OneLine : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override
    {
        QString kept;
        kept.reserve(input.size());
        int keptPos = pos;
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (!isLineBreak(input[i]))
                kept.append(input[i]);
            else if (i < pos)
                --keptPos;
        }
        if (kept.size() != input.size()) {
            input = kept;
            pos = keptPos;
        }
        return Acceptable;
    }
};

void describe(QWidget *image, const PictureText &text)
{
    image->setAccessibleName(text.name);
    image->setAccessibleDescription(text.description);
}

} // namespace

void KeepOnOneLine(QLineEdit *box)
{
    box->setValidator(new OneLine(box));
}

QLabel *Picture(QWidget *parent, const char *name, const QString &resource, int left, int top, int width,
                int height)
{
    auto *image = Make<QLabel>(parent, name, left, top, width, height);
    image->setPixmap(RenderPicture(resource));
    image->setScaledContents(true);
    describe(image, PictureTextOf(resource));
    return image;
}

void ShowBitmap(QLabel *image, int id)
{
    image->setPixmap(BitmapResource(id));
    describe(image, BitmapText(id));
}

QString SpokenCaption(const QString &caption)
{
    QString spoken = caption;
    // The access key's marker (no caption has a literal "&") and the arrows are not spoken.
    spoken.remove(u'&').remove(QStringLiteral("<<")).remove(QStringLiteral(">>"));
    spoken = spoken.simplified();
    if (spoken.endsWith(u':'))
        spoken = spoken.chopped(1).trimmed();
    return spoken;
}

void NameAsSpoken(QPushButton *button) { button->setAccessibleName(SpokenCaption(button->text())); }

void NameBox(QWidget *box, const QString &name)
{
    box->setAccessibleName(name);
    // An editable list's text field is what a screen reader lands on while typing.
    if (auto *list = qobject_cast<QComboBox *>(box); list && list->lineEdit())
        list->lineEdit()->setAccessibleName(name);
}

void NameAfter(QWidget *box, QLabel *label)
{
    NameBox(box, SpokenCaption(label->text()));
    label->setBuddy(box);
}

void NameStepButtons(QPushButton *down, QPushButton *up, const QWidget *box)
{
    down->setAccessibleName(QStringLiteral("Decrease %1").arg(box->accessibleName()));
    up->setAccessibleName(QStringLiteral("Increase %1").arg(box->accessibleName()));
}

void HeadedBy(const QGroupBox *frame, std::initializer_list<QRadioButton *> options)
{
    for (QRadioButton *option : options)
        option->setAccessibleDescription(SpokenCaption(frame->title()));
}

QComboBox *EditableList(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                        int height)
{
    InstallAccessibleInterfaces();
    auto *list = Make<QComboBox>(parent, name, left, top, width, height);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    KeepOnOneLine(list->lineEdit());
    list->setEditText(text);
    return list;
}

void TabStopOnSelected(std::initializer_list<QRadioButton *> group)
{
    for (QRadioButton *option : group)
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

QButtonGroup *OptionGroup(QObject *owner, std::initializer_list<QRadioButton *> group)
{
    auto *buttons = new QButtonGroup(owner);
    for (QRadioButton *option : group)
        buttons->addButton(option);
    TabStopOnSelected(group);
    return buttons;
}

std::optional<QString> FirstSelected(std::initializer_list<Choice> choices)
{
    for (const Choice &choice : choices) {
        if (choice.option->isChecked())
            return choice.value.toString();
    }
    return std::nullopt;
}

void StoreFirstSelected(QString &field, std::initializer_list<Choice> choices)
{
    if (const auto value = FirstSelected(choices))
        field = *value;
}

void StepNumberBox(QLineEdit *box, double delta)
{
    if (!IsNumeric(box->text()))
        return;
    box->setText(StepNumberText(box->text(), delta));
    box->repaint();
}

void MoveInRow(std::initializer_list<QWidget *> pictures, int left, int top, int step)
{
    for (QWidget *picture : pictures) {
        Move(picture, left, top);
        left += step;
    }
}

void SetTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace corvelle
