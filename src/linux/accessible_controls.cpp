#include "linux/accessible_controls.h"

#include "linux/caption_label.h"
#include "linux/data_control_widget.h"
#include "linux/skin_picture.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QMetaObject>

namespace ui {
namespace {

// The name of an arrow's second action, kept on the arrow itself.
constexpr const char* kJumpActionProperty = "orvaneJumpAction";

AccessibleEventObserver& eventObserver() {
    static AccessibleEventObserver instance;
    return instance;
}

void announce(QAccessibleEvent& event) {
    if (eventObserver()) {
        eventObserver()(event);
    } else {
        QAccessible::updateAccessibility(&event);
    }
}

QString& windowClassName() {
    static QString instance;
    return instance;
}

// A window whose accessible children are only the controls that are shown and meant to be
// read, so a hidden arrow or a highlight is never offered.
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return int(offered().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QAccessibleInterface*> children = offered();
        return index >= 0 && index < children.size() ? children[index] : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        return int(offered().indexOf(child));
    }

private:
    QList<QAccessibleInterface*> offered() const {
        QList<QAccessibleInterface*> children;
        for (QObject* object : widget()->children()) {
            auto* control = qobject_cast<QWidget*>(object);
            if (control == nullptr || control->isWindow() || control->isHidden()) {
                continue;
            }
            QAccessibleInterface* child = QAccessible::queryAccessibleInterface(control);
            if (child != nullptr && !child->state().invisible) {
                children.push_back(child);
            }
        }
        return children;
    }
};

// A label: its caption is both its name and its text, read only.
class LabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LabelAccessible(CaptionLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? label()->caption() : QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    // The caption cannot be selected, and has no caret.
    void selection(int /*selectionIndex*/, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int /*startOffset*/, int /*endOffset*/) override {}
    void removeSelection(int /*selectionIndex*/) override {}
    void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*position*/) override {}
    // Nothing scrolls: what does not fit is cut off.
    void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override {}

    QString text(int startOffset, int endOffset) const override {
        return label()->caption().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(label()->caption().size()); }

    QRect characterRect(int offset) const override {
        const QRect box = label()->characterRect(offset);
        return box.isEmpty() ? QRect() : box.translated(label()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return label()->offsetAt(label()->mapFromGlobal(point));
    }

    // One run over the whole caption, without attributes of its own.
    QString attributes(int /*offset*/, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    CaptionLabel* label() const { return static_cast<CaptionLabel*>(widget()); }
};

// A picture is a push button while it is an arrow that is shown; a highlight is decoration.
// Whether it is an arrow is read from the picture at every question, so the answer holds
// however early assistive technology first asked.
class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(SkinPicture* picture)
        : QAccessibleWidget(picture, QAccessible::Button) {}

    QAccessible::Role role() const override {
        return isArrow() ? QAccessible::Button : QAccessible::NoRole;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = state.invisible || !isArrow();
        return state;
    }

    QString text(QAccessible::Text t) const override {
        return isArrow() ? QAccessibleWidget::text(t) : QString();
    }

    QStringList actionNames() const override {
        if (!isOffered()) {
            return {};
        }
        return QStringList{pressAction(), jumpAction()} + QAccessibleWidget::actionNames();
    }

    QString localizedActionName(const QString& action) const override {
        return action == pressAction() ? QStringLiteral("Appuyer") : action;
    }

    QString localizedActionDescription(const QString& action) const override {
        return action == pressAction() ? text(QAccessible::Name) : action;
    }

    void doAction(const QString& action) override {
        if (!isOffered()) {
            return;
        }
        if (action == pressAction()) {
            picture()->press(1);
        } else if (action == jumpAction()) {
            picture()->press(2);
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

    QStringList keyBindingsForAction(const QString& /*action*/) const override { return {}; }

private:
    SkinPicture* picture() const { return static_cast<SkinPicture*>(widget()); }
    QString jumpAction() const { return picture()->property(kJumpActionProperty).toString(); }
    bool isArrow() const { return !jumpAction().isEmpty(); }
    // A hidden arrow takes no press, as with the mouse.
    bool isOffered() const { return isArrow() && !picture()->isHidden(); }
};

// A control that is never on screen: nothing for assistive technology to read.
class IgnoredAccessible : public QAccessibleWidget {
public:
    explicit IgnoredAccessible(QWidget* control)
        : QAccessibleWidget(control, QAccessible::NoRole) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
    QString text(QAccessible::Text /*t*/) const override { return {}; }
    QStringList actionNames() const override { return {}; }
};

QAccessibleInterface* controlInterface(const QString& className, QObject* object) {
    if (auto* label = qobject_cast<CaptionLabel*>(object)) {
        return new LabelAccessible(label);
    }
    if (auto* picture = qobject_cast<SkinPicture*>(object)) {
        return new PictureAccessible(picture);
    }
    if (auto* link = qobject_cast<DataControlWidget*>(object)) {
        return new IgnoredAccessible(link);
    }
    if (object->isWidgetType() && className == windowClassName()) {
        return new WindowAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

// Tells assistive technology that the window's list of children changed when an arrow comes
// or goes.
class ChildrenChangeNotifier : public QObject {
public:
    explicit ChildrenChangeNotifier(QWidget* control) : QObject(control) {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
            if (QWidget* window = static_cast<QWidget*>(watched)->window()) {
                QAccessibleEvent reorder(window, QAccessible::ObjectReorder);
                announce(reorder);
            }
        }
        return false;
    }
};

} // namespace

void InstallAccessibleControls(const QMetaObject& windowClass) {
    windowClassName() = QString::fromLatin1(windowClass.className());
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(controlInterface);
        installed = true;
    }
}

void MakeAccessibleArrow(SkinPicture* arrow, const QString& name, const QString& description,
                         const QString& jumpAction) {
    arrow->setProperty(kJumpActionProperty, jumpAction);
    arrow->setAccessibleName(name);
    arrow->setAccessibleDescription(description);
    new ChildrenChangeNotifier(arrow);
}

void AnnounceCaptionChange(QWidget* label, const QString& before, const QString& after) {
    QAccessibleEvent nameChange(label, QAccessible::NameChanged);
    announce(nameChange);
    QAccessibleTextUpdateEvent textChange(label, 0, before, after);
    announce(textChange);
}

void SetAccessibleEventObserver(AccessibleEventObserver observer) {
    eventObserver() = std::move(observer);
}

} // namespace ui
