// The window's own settings and the place, size and look of its eleven controls, in skin pixels
// from the window's top-left corner.

#include "app/shaped_form.h"
#include "shape/device_geometry.h"
#include "ui/accessible_controls.h"
#include "ui/caption_label.h"
#include "ui/data_control_widget.h"
#include "ui/fonts.h"
#include "ui/search_box.h"
#include "ui/skin_images.h"
#include "ui/skin_picture.h"

namespace {

void setTextColour(QWidget* widget, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

ui::CaptionLabel* makeLabel(QWidget* form, QRect box, QColor colour, QFont font) {
    auto* label = new ui::CaptionLabel(form);
    label->setGeometry(box);
    setTextColour(label, colour);
    label->setFont(font);
    return label;
}

ui::SkinPicture* makePicture(QWidget* form, const char* resource, QRect box, bool enabled) {
    auto* picture = new ui::SkinPicture(form, ui::LoadSkinImage(resource));
    picture->setGeometry(box);
    picture->setEnabled(enabled);
    return picture;
}

ui::SearchBox* makeSearchBox(QWidget* form) {
    auto* box = new ui::SearchBox(form);
    box->setGeometry(shape::kSearchBox);
    box->setFont(ui::DesignFont(13.5, true));
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, QColor(128, 255, 128));
    palette.setColor(QPalette::Base, QColor(0, 0, 0));
    box->setPalette(palette);
    return box;
}

} // namespace

void ShapedForm::CreateControls() {
    setWindowTitle(QStringLiteral("Orvane Zelkis"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(shape::kClientSize);
    skin_ = ui::LoadSkinImage(":/skin.bmp");
    setWindowIcon(QIcon(QPixmap::fromImage(ui::LoadSkinImage(":/orvane.ico"))));

    Picture2 = makePicture(this, ":/lit_close.bmp", shape::kCloseHighlight, false);
    Picture3 = makePicture(this, ":/lit_minimise.bmp", shape::kMinimiseHighlight, false);
    Picture1 = makePicture(this, ":/lit_help.bmp", shape::kHelpHighlight, false);
    Picture1->setToolTip(QStringLiteral("Aide"));
    Picture4 = makePicture(this, ":/lit_left.bmp", shape::kPreviousArrow, true);
    Picture5 = makePicture(this, ":/lit_right.bmp", shape::kNextArrow, true);

    Text1 = makeSearchBox(this);
    Label6 = makeLabel(this, shape::kNomLabel, QColor(0, 255, 0), ui::DesignFont(8.25, true));
    Label8 = makeLabel(this, shape::kDescriptionLabel, QColor(128, 255, 128),
                       ui::DesignFont(8.25, false));
    Label5 = makeLabel(this, shape::kCdLabel, QColor(128, 255, 128), ui::DesignFont(9.75, true));
    Label4 =
        makeLabel(this, shape::kCounterLabel, QColor(192, 192, 192), ui::DesignFont(8.25, true));

    Data1 = new ui::DataControlWidget(this);
    Data1->setGeometry(shape::kDataControl);

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
    ui::MakeAccessibleArrow(Picture4, QStringLiteral("Fiche précédente"),
                            QStringLiteral("Le bouton droit va à la première fiche."),
                            QStringLiteral("Première fiche"));
    ui::MakeAccessibleArrow(Picture5, QStringLiteral("Fiche suivante"),
                            QStringLiteral("Le bouton droit va à la dernière fiche."),
                            QStringLiteral("Dernière fiche"));
}
