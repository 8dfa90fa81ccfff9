// The window as a screen reader reads it, through Qt's accessibility interfaces: names, roles,
// texts and actions of the controls, the announcements a search makes, and paging with the
// arrows' actions.

#include "form_test.h"
#include "search_fixture.h"

#include "app/module3.h"
#include "linux/accessible_controls.h"
#include "linux/caption_label.h"
#include "linux/data_control_widget.h"
#include "linux/search_box.h"
#include "linux/skin_picture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDir>
#include <QTest>

namespace {

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// The objects assistive technology is offered as the window's children.
std::vector<QObject*> offeredChildren(QWidget* window) {
    std::vector<QObject*> objects;
    QAccessibleInterface* frame = accessible(window);
    for (int i = 0; i < frame->childCount(); ++i) {
        QAccessibleInterface* child = frame->child(i);
        EXPECT_EQ(frame->indexOfChild(child), i);
        objects.push_back(child->object());
    }
    return objects;
}

QStringList actionsOf(QObject* object) {
    return accessible(object)->actionInterface()->actionNames();
}

void doAction(QObject* object, const QString& action) {
    accessible(object)->actionInterface()->doAction(action);
}

QString nameOf(QObject* object) {
    return accessible(object)->text(QAccessible::Name);
}

QString textOf(QObject* object) {
    QAccessibleTextInterface* text = accessible(object)->textInterface();
    return text == nullptr ? QStringLiteral("<no text>") : text->text(0, text->characterCount());
}

struct Announcement {
    QObject* object;
    QAccessible::Event type;
    QString removed, inserted;
    bool operator==(const Announcement&) const = default;
};

class AccessibilityTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        UseTestCatalogueReader();
        Module3::result = {};
        openForm();
        ui::SetAccessibleEventObserver([this](QAccessibleEvent& event) {
            Announcement seen{event.object(), event.type(), {}, {}};
            if (event.type() == QAccessible::TextUpdated) {
                const auto& update = static_cast<QAccessibleTextUpdateEvent&>(event);
                seen.removed = update.textRemoved();
                seen.inserted = update.textInserted();
            }
            announcements.push_back(seen);
        });
    }

    void TearDown() override {
        ui::SetAccessibleEventObserver({});
        FormTest::TearDown();
    }

    void installCatalogue(const std::string& csv) {
        BuildCatalogue(
            csv, (programFolder() + QDir::separator() + QStringLiteral("base.MDB")).toStdString());
    }

    void search(const QString& text) {
        form->Text1->setText(text);
        QTest::keyClick(form->Text1, Qt::Key_Return);
    }

    QString counter() const { return form->Label4->caption(); }

    // What was announced about one object, in order.
    std::vector<Announcement> about(QObject* object) const {
        std::vector<Announcement> found;
        for (const Announcement& seen : announcements) {
            if (seen.object == object) {
                found.push_back(seen);
            }
        }
        return found;
    }

    std::vector<Announcement> announcements;
};

} // namespace

TEST_F(AccessibilityTest, WindowOffersTheSearchBoxAndLabelsButNeitherHiddenArrowsNorHighlights) {
    QAccessibleInterface* frame = accessible(form.get());
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(frame->text(QAccessible::Name), QStringLiteral("Orvane Zelkis"));
    EXPECT_TRUE(frame->text(QAccessible::Description).contains(QStringLiteral("Recherche")));

    // Lit highlights are still decoration; hidden arrows are not there to be pressed.
    form->Picture1->show();
    form->Picture2->show();
    const std::vector<QObject*> expected = {form->Text1, form->Label6, form->Label8, form->Label5,
                                            form->Label4};
    EXPECT_EQ(offeredChildren(form.get()), expected);
    for (QObject* picture : {form->Picture1, form->Picture2, form->Picture3}) {
        EXPECT_TRUE(accessible(picture)->state().invisible);
        EXPECT_TRUE(nameOf(picture).isEmpty());
        EXPECT_TRUE(actionsOf(picture).isEmpty());
    }
    EXPECT_TRUE(accessible(form->Data1)->state().invisible) << "the catalogue link is never seen";

    for (QObject* arrow : {form->Picture4, form->Picture5}) {
        EXPECT_TRUE(accessible(arrow)->state().invisible);
        EXPECT_TRUE(actionsOf(arrow).isEmpty());
        doAction(arrow, QAccessibleActionInterface::pressAction());
    }
    EXPECT_EQ(beeps, 0) << "a hidden arrow was pressed";

    QAccessibleInterface* box = accessible(form->Text1);
    EXPECT_EQ(box->role(), QAccessible::EditableText);
    EXPECT_EQ(box->text(QAccessible::Name), QStringLiteral("Recherche"));
    EXPECT_TRUE(box->text(QAccessible::Description).contains(QStringLiteral("Entrée")));
    for (QObject* label : {form->Label4, form->Label5, form->Label6, form->Label8}) {
        EXPECT_EQ(accessible(label)->role(), QAccessible::StaticText);
        EXPECT_EQ(nameOf(label), QString());
        EXPECT_EQ(textOf(label), QString());
    }
}

TEST_F(AccessibilityTest, LabelsReadTheFoundEntryAndTheArrowsActionsPage) {
    installCatalogue(DemoCatalogueCsv());
    search(QStringLiteral("jeu"));
    ASSERT_EQ(counter(), QStringLiteral("1/12"));
    for (QObject* label : {form->Label4, form->Label5, form->Label6, form->Label8}) {
        const QString caption = static_cast<ui::CaptionLabel*>(label)->caption();
        EXPECT_FALSE(caption.isEmpty());
        EXPECT_EQ(nameOf(label), caption);
        EXPECT_EQ(textOf(label), caption);
    }
    EXPECT_EQ(nameOf(form->Label4), QStringLiteral("1/12"));

    QAccessibleInterface* next = accessible(form->Picture5);
    EXPECT_EQ(next->role(), QAccessible::Button);
    EXPECT_FALSE(next->state().invisible);
    EXPECT_EQ(next->text(QAccessible::Name), QStringLiteral("Fiche suivante"));
    EXPECT_TRUE(next->text(QAccessible::Description).contains(QStringLiteral("droit")));
    EXPECT_TRUE(accessible(form->Picture4)->state().invisible);
    const QStringList actions = actionsOf(form->Picture5);
    ASSERT_GE(actions.size(), 2);
    EXPECT_EQ(actions[0], QAccessibleActionInterface::pressAction());
    EXPECT_EQ(actions[1], QStringLiteral("Dernière fiche"));
    std::vector<QObject*> children = offeredChildren(form.get());
    EXPECT_EQ(std::count(children.begin(), children.end(), form->Picture5), 1);
    EXPECT_EQ(std::count(children.begin(), children.end(), form->Picture4), 0);

    // The press action is a left press: one step, one beep.
    beeps = 0;
    doAction(form->Picture5, QAccessibleActionInterface::pressAction());
    EXPECT_EQ(counter(), QStringLiteral("2/12"));
    EXPECT_EQ(nameOf(form->Label4), QStringLiteral("2/12"));
    EXPECT_EQ(beeps, 1);
    children = offeredChildren(form.get());
    EXPECT_EQ(std::count(children.begin(), children.end(), form->Picture4), 1) << "now shown";
    EXPECT_EQ(nameOf(form->Picture4), QStringLiteral("Fiche précédente"));
    doAction(form->Picture4, QAccessibleActionInterface::pressAction());
    EXPECT_EQ(counter(), QStringLiteral("1/12"));

    // The second action is a right press: to the end, and the arrow goes.
    doAction(form->Picture5, QStringLiteral("Dernière fiche"));
    EXPECT_EQ(counter(), QStringLiteral("12/12"));
    children = offeredChildren(form.get());
    EXPECT_EQ(std::count(children.begin(), children.end(), form->Picture5), 0);
    EXPECT_TRUE(actionsOf(form->Picture5).isEmpty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(AccessibilityTest, EverySearchAnnouncesTheCaptionsItChanges) {
    installCatalogue(
        CatalogueCsv({{"Jeu de go", "CD 1", "Pierres"}, {"Puzzle", "CD 2", "Un jeu"}}));
    search(QStringLiteral("jeu"));
    EXPECT_EQ(about(form->Label4),
              (std::vector<Announcement>{{form->Label4, QAccessible::NameChanged, {}, {}},
                                         {form->Label4, QAccessible::TextUpdated, {}, "1/2"}}));
    for (QObject* label : {form->Label5, form->Label6, form->Label8}) {
        ASSERT_EQ(about(label).size(), 2u);
        EXPECT_EQ(about(label)[0].type, QAccessible::NameChanged);
        EXPECT_EQ(about(label)[1].inserted, static_cast<ui::CaptionLabel*>(label)->caption());
    }
    EXPECT_FALSE(about(form.get()).empty()) << "the next arrow came: the children changed";

    announcements.clear();
    search(QStringLiteral("puzzle"));
    EXPECT_EQ(about(form->Label6),
              (std::vector<Announcement>{
                  {form->Label6, QAccessible::NameChanged, {}, {}},
                  {form->Label6, QAccessible::TextUpdated, "Jeu de go", "Puzzle"}}));
    EXPECT_EQ(about(form->Label4).back().inserted, QStringLiteral("1/1"));
    EXPECT_EQ(about(form.get()).front().type, QAccessible::ObjectReorder);

    // The same caption again changes nothing, so nothing is announced.
    announcements.clear();
    search(QStringLiteral("puzzle"));
    EXPECT_TRUE(about(form->Label6).empty());
}

// A screen reader's review of the text by position: each character is found where it is drawn,
// across a CR LF line break too.
TEST_F(AccessibilityTest, LabelTextIsFoundWhereItIsDrawn) {
    form->Label8->setCaption(QStringLiteral("Jeu\r\nde go"));
    QAccessibleTextInterface* text = accessible(form->Label8)->textInterface();
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->characterCount(), 10);
    const QRect label(form->Label8->mapToGlobal(QPoint(0, 0)), form->Label8->size());
    const QRect j = text->characterRect(0);
    const QRect d = text->characterRect(5);
    ASSERT_FALSE(j.isEmpty());
    ASSERT_FALSE(d.isEmpty());
    EXPECT_TRUE(label.contains(j) && label.contains(d));
    EXPECT_GT(d.top(), j.top()) << "the second line is below the first";
    for (int offset : {0, 1, 2, 5, 9}) {
        EXPECT_EQ(text->offsetAtPoint(text->characterRect(offset).center()), offset) << offset;
    }
    EXPECT_EQ(text->offsetAtPoint(label.topLeft()), -1) << "nothing is drawn at the corner";
    EXPECT_TRUE(text->characterRect(10).isEmpty());
}
