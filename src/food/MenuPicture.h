#pragma once
// The pictures of the recommended menus: each age group's model day drawn as a pagoda of
// food groups with the foods and amounts of its MenuTemplate rows.
#include <QImage>
#include <QList>
#include <QString>

struct MenuPictureItem {
    QString foodId;
    QString foodName;
    double grams = 0;    // per child and day, as bought
    double energy = 0;   // kcal these grams supply
    double protein = 0;  // g these grams supply
};

// The layer of the pagoda a food belongs to, from its category: 0 oil and salt, 1 milk,
// soy and nuts, 2 meat, fish and eggs, 3 vegetables and fruit, 4 cereals and tubers;
// -1 for the other categories.
int MenuPictureLayer(const QString &foodId);

// The picture of one age group (720 × 960 pixels).
QImage RenderMenuPicture(const QString &ageGroup, const QList<MenuPictureItem> &items);

// Renders the ten pictures from the shipped tables in referenceDir (menu_template.csv,
// food_composition.csv, food_supplement.csv) into outDir under the groups' file names.
// Throws std::runtime_error when a table cannot be read or a picture not written.
void RenderMenuPictures(const QString &referenceDir, const QString &outDir);
