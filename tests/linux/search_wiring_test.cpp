// The search and the arrows as the window wires them: Enter in the search box and presses on
// the arrows run them, their labels and arrows show what they leave, and a failure comes up in a
// box. What they compute is tested without a window, over a fake one.

#include "form_test.h"
#include "search_fixture.h"

#include "app/module3.h"
#include "app/search_busy.h"
#include "linux/caption_label.h"
#include "linux/device_rects.h"
#include "linux/search_box.h"
#include "linux/skin_picture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>

namespace {

class SearchWiringTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        UseTestCatalogueReader();
        Module3::result = {};
        BuildCatalogue(CatalogueCsv(kThreeGames), catalogueFile().toStdString());
        openForm();
    }

    QString catalogueFile() const {
        return programFolder() + QDir::separator() + QStringLiteral("base.MDB");
    }

    void search(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        form->Text1->setText(text);
        QTest::keyClick(form->Text1, Qt::Key_Return, modifiers);
    }

    void press(QWidget* arrow, Qt::MouseButton button) {
        QTest::mousePress(arrow, button, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseRelease(arrow, button, Qt::NoModifier, QPoint(5, 5));
    }

    // Label4, Label5, Label6, Label8, and whether Picture4 and Picture5 are shown.
    std::vector<QString> labels() const {
        return {form->Label4->caption(), form->Label5->caption(), form->Label6->caption(),
                form->Label8->caption()};
    }
    std::pair<bool, bool> arrows() const {
        return {!form->Picture4->isHidden(), !form->Picture5->isHidden()};
    }
};

TEST_F(SearchWiringTest, EnterSearchesAndTheArrowsPageInTheLabels) {
    search(QStringLiteral("jeu"));
    EXPECT_EQ(labels(), (std::vector<QString>{"1/3", "CD 1", "Échecs", "Un jeu de plateau"}));
    EXPECT_EQ(arrows(), std::make_pair(false, true));
    EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0}));
    EXPECT_EQ(form->Text1->text(), QStringLiteral("jeu")) << "the box keeps its text";
    pointerChanges.clear();

    press(form->Picture5, Qt::LeftButton);
    EXPECT_EQ(labels(), (std::vector<QString>{"2/3", "CD 3", "Jeux de mots", "Mots croisés"}));
    EXPECT_EQ(arrows(), std::make_pair(true, true));
    press(form->Picture4, Qt::RightButton);
    EXPECT_EQ(labels(), (std::vector<QString>{"1/3", "CD 1", "Échecs", "Un jeu de plateau"}));
    EXPECT_EQ(arrows(), std::make_pair(false, true));
    EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0}));
    press(form->Picture5, Qt::MiddleButton);
    EXPECT_EQ(labels()[0], QStringLiteral("1/3"));
    EXPECT_EQ(beeps, 3);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SearchWiringTest, EnterSearchesWhateverTheModifiersOtherKeysNever) {
    form->Text1->setText(QStringLiteral("jeu"));
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_Tab, Qt::Key_Escape, Qt::Key_Space}) {
        QTest::keyClick(form->Text1, key);
    }
    EXPECT_TRUE(pointerChanges.empty());
    EXPECT_EQ(Module3::result.total, 0);

    search(QStringLiteral("jeu"), Qt::ShiftModifier);
    EXPECT_EQ(labels()[0], QStringLiteral("1/3"));
    search(QStringLiteral("atlas"), Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(labels()[0], QStringLiteral("1/1"));
    form->Text1->setText(QStringLiteral("jeu"));
    QTest::keyClick(form->Text1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(labels()[0], QStringLiteral("1/3"));
}

TEST_F(SearchWiringTest, EnterAndArrowsAreIgnoredWhileASearchRuns) {
    search(QStringLiteral("jeu"));
    pointerChanges.clear();
    beeps = 0;

    bool seenRunning = false;
    bool closeSpotLit = false;
    QTimer::singleShot(0, form.get(), [this, &seenRunning, &closeSpotLit] {
        seenRunning = app::SearchRunning();
        QTest::mouseMove(form.get(), ui::RectOf(shape::kCloseSpot).center());
        closeSpotLit = !form->Picture2->isHidden();
        form->Text1->setText(QStringLiteral("atlas"));
        QTest::keyClick(form->Text1, Qt::Key_Return);
        press(form->Picture5, Qt::LeftButton);
        press(form->Picture5, Qt::RightButton);
    });
    QTest::keyClick(form->Text1, Qt::Key_Return);

    EXPECT_TRUE(seenRunning);
    EXPECT_TRUE(closeSpotLit) << "the hot spots keep working";
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0}));
    EXPECT_FALSE(app::SearchRunning());
    EXPECT_EQ(Module3::result.critere, "Nom like '*atlas*' or Description like '*atlas*'")
        << "the running search reads the box after its first pump";
    EXPECT_EQ(labels()[0], QStringLiteral("1/1"));
}

TEST_F(SearchWiringTest, APastedMegabyteIsSearchedWhole) {
    QString pasted;
    const QString piece = QStringLiteral("l'eau [*?#] jeu ");
    while (pasted.size() < 1024 * 1024) {
        pasted += piece;
    }
    QGuiApplication::clipboard()->setText(pasted);
    form->Text1->clear();
    form->Text1->paste();
    ASSERT_EQ(form->Text1->text().size(), pasted.size());
    QTest::keyClick(form->Text1, Qt::Key_Return);
    EXPECT_EQ(labels()[0], QStringLiteral("0/0"));
    EXPECT_GT(Module3::result.critere.size(), 2 * std::size_t(pasted.size()));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SearchWiringTest, ACatalogueFailureComesUpInAnExclamationBox) {
    search(QStringLiteral("jeu"));
    const std::vector<QString> before = labels();
    ASSERT_TRUE(QFile::remove(catalogueFile()));
    pointerChanges.clear();

    search(QStringLiteral("atlas"));
    EXPECT_EQ(labels(), before);
    EXPECT_EQ(arrows(), std::make_pair(false, true));
    EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].style, app::vbOKOnly | app::vbExclamation);
    EXPECT_TRUE(boxes[0].prompt.contains(catalogueFile())) << boxes[0].prompt.toStdString();
}

} // namespace
