// The window's own settings and the place, size and look of its eleven controls, in skin pixels
// from the window's top-left corner.

#include "linux/accessible_controls.h"
#include "linux/caption_label.h"
#include "linux/data_control_widget.h"
#include "linux/device_rects.h"
#include "linux/fonts.h"
#include "linux/form_window.h"
#include "linux/search_box.h"
#include "linux/skin_images.h"
#include "linux/skin_picture.h"

namespace ui {
namespace {

void setTextColour(QWidget* widget, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

CaptionLabel* makeLabel(QWidget* form, QRect box, QColor colour, QFont font) {
    auto* label = new CaptionLabel(form);
    label->setGeometry(box);
    setTextColour(label, colour);
    label->setFont(font);
    return label;
}

SkinPicture* makePicture(QWidget* form, const char* resource, QRect box, bool enabled) {
    auto* picture = new SkinPicture(form, LoadSkinImage(resource));
    picture->setGeometry(box);
    picture->setEnabled(enabled);
    return picture;
}

SearchBox* makeSearchBox(QWidget* form) {
    auto* box = new SearchBox(form);
    box->setGeometry(RectOf(shape::kSearchBox));
    box->setFont(DesignFont(13.5, true));
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, QColor(128, 255, 128));
    palette.setColor(QPalette::Base, QColor(0, 0, 0));
    box->setPalette(palette);
    return box;
}

} // namespace

void FormWindow::CreateControls() {
    setWindowTitle(QStringLiteral("Orvane Zelkis"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(SizeOf(shape::kClientSize));
    skin_ = LoadSkinImage(":/skin.bmp");
    setWindowIcon(QIcon(QPixmap::fromImage(LoadSkinImage(":/orvane.ico"))));

    Picture2 = makePicture(this, ":/lit_close.bmp", RectOf(shape::kCloseHighlight), false);
    Picture3 = makePicture(this, ":/lit_minimise.bmp", RectOf(shape::kMinimiseHighlight), false);
    Picture1 = makePicture(this, ":/lit_help.bmp", RectOf(shape::kHelpHighlight), false);
    Picture1->setToolTip(QStringLiteral("Aide"));
    Picture4 = makePicture(this, ":/lit_left.bmp", RectOf(shape::kPreviousArrow), true);
    Picture5 = makePicture(this, ":/lit_right.bmp", RectOf(shape::kNextArrow), true);

    Text1 = makeSearchBox(this);
    Label6 = makeLabel(this, RectOf(shape::kNomLabel), QColor(0, 255, 0), DesignFont(8.25, true));
    Label8 = makeLabel(this, RectOf(shape::kDescriptionLabel), QColor(128, 255, 128),
                       DesignFont(8.25, false));
    Label5 =
        makeLabel(this, RectOf(shape::kCdLabel), QColor(128, 255, 128), DesignFont(9.75, true));
    Label4 = makeLabel(this, RectOf(shape::kCounterLabel), QColor(192, 192, 192),
                       DesignFont(8.25, true));

    Data1 = new DataControlWidget(this);
    Data1->setGeometry(RectOf(shape::kDataControl));

    // Labels take no focus and the highlights are disabled, so Tab moves among the search
    // field and whichever arrow is shown.
    for (QWidget* label : {static_cast<QWidget*>(Label4), static_cast<QWidget*>(Label5),
                           static_cast<QWidget*>(Label6), static_cast<QWidget*>(Label8)}) {
        label->setFocusPolicy(Qt::NoFocus);
    }
    const QWidget* order[] = {Text1, Picture1, Picture2, Picture3, Picture4, Picture5};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
    }
    Picture4->setFocusPolicy(Qt::TabFocus);
    Picture5->setFocusPolicy(Qt::TabFocus);
    Text1->setFocus();

    // What a screen reader says of the window and its controls; the labels read their captions.
    setAccessibleDescription(QStringLiteral(
        "Catalogue du CD-ROM : tapez un mot dans la zone Recherche puis appuyez sur Entrée ; "
        "les boutons Fiche précédente et Fiche suivante parcourent les fiches trouvées."));
    Text1->setAccessibleName(QStringLiteral("Recherche"));
    Text1->setAccessibleDescription(QStringLiteral(
        "Entrée cherche le mot tapé dans les noms et les descriptions du catalogue."));
    MakeAccessibleArrow(Picture4, QStringLiteral("Fiche précédente"),
                        QStringLiteral("Le bouton droit va à la première fiche."),
                        QStringLiteral("Première fiche"));
    MakeAccessibleArrow(Picture5, QStringLiteral("Fiche suivante"),
                        QStringLiteral("Le bouton droit va à la dernière fiche."),
                        QStringLiteral("Dernière fiche"));
}

} // namespace ui
