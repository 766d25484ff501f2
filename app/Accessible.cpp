#include "app/Accessible.h"

#include "app/ChoiceFrame.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace corvelle {

namespace {

// An editable list as Qt presents one, but named by its accessible name: Qt's own
// interface gives the list's text as its name on this platform, so a screen reader
// said "4 inches" for the slab thickness list.
class NamedListInterface : public QAccessibleWidget {
public:
    explicit NamedListInterface(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return list()->currentText();
        const QString text = QAccessibleWidget::text(t);
        return t == QAccessible::Name && text.isEmpty() ? list()->currentText() : text;
    }

    // The drop-down list, then the text field.
    int childCount() const override { return 2; }
    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(list()->view());
        if (index == 1)
            return QAccessible::queryAccessibleInterface(list()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child && child->object() == list()->view())
            return 0;
        if (child && child->object() == list()->lineEdit())
            return 1;
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        QLineEdit *field = list()->lineEdit();
        return field->rect().contains(field->mapFromGlobal(QPoint(x, y))) ? child(1) : nullptr;
    }
    // The list is the focus proxy of its text field; the field is where typing goes.
    QAccessibleInterface *focusChild() const override { return child(1); }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.expandable = true;
        s.expanded = list()->view()->isVisible();
        return s;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return QAccessibleWidget::doAction(action);
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(object()); }
};

// The frame of a picture that opens a path: a button to a screen reader.
class ChoiceInterface : public QAccessibleWidget {
public:
    explicit ChoiceInterface(ChoiceFrame *frame) : QAccessibleWidget(frame, QAccessible::Button) {}

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            static_cast<ChoiceFrame *>(object())->choose();
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString &action) const override
    {
        if (action == pressAction())
            return {QStringLiteral("Return"), QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }
};

QAccessibleInterface *interfaceFor(const QString &className, QObject *object)
{
    if (className == u"QComboBox") {
        auto *list = qobject_cast<QComboBox *>(object);
        if (list && list->isEditable())
            return new NamedListInterface(list);
    } else if (className == u"corvelle::ChoiceFrame") {
        return new ChoiceInterface(static_cast<ChoiceFrame *>(object));
    }
    return nullptr;
}

} // namespace

void InstallAccessibleInterfaces()
{
    // Factories installed later are asked first, so these come before Qt's own.
    static const bool installed = (QAccessible::installFactory(interfaceFor), true);
    Q_UNUSED(installed);
}

} // namespace corvelle
