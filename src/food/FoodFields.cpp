#include "FoodFields.h"

#include <algorithm>

namespace {

FoodField text(const char *field, const char *title, const char *label)
{
    return {QString::fromUtf8(field), QString::fromUtf8(title), QString::fromUtf8(label), false};
}

FoodField number(const char *field, const char *title, const char *label)
{
    return {QString::fromUtf8(field), QString::fromUtf8(title), QString::fromUtf8(label), true};
}

int widthOf(const FoodField &f)
{
    if (f.field == QLatin1String("foodid"))
        return 72;
    if (f.field == QLatin1String("foodname"))
        return 210;
    if (f.field == QLatin1String("Spell"))
        return 110;
    if (f.field == QLatin1String("Remark"))
        return 160;
    return std::max(64, int(f.title.size()) * 11 + 12);
}

}  // namespace

const QList<FoodField> &FoodListFields()
{
    static const QList<FoodField> fields = {
        text("foodid", "食物编号", "食物编号："),
        text("foodname", "食物名称", "食物名称："),
        number("foodish", "食部(%)", "食部："),
        number("water", "水(g)", "水："),
        number("energy", "热量(千卡)", "热量(千卡)："),
        number("protein", "蛋白质(g)", "蛋白质："),
        number("fat", "脂肪(g)", "脂肪："),
        number("carbohydra", "碳水化合物(g)", "碳水化合物："),
        number("fiber", "纤维(g)", "膳食纤维："),
        number("Cholesterol", "胆固醇", "胆固醇："),
        number("vita", "VA(μgRE)", "维生素A："),
        number("carotene", "胡萝卜素(μg)", "胡萝卜素："),
        number("Retinol", "视黄醇", "视黄醇："),
        number("Thiamin", "硫胺素(mg)", "硫胺素(vb1)："),
        number("Riboflavin", "核黄素(mg)", "核黄素(vb2)："),
        number("Niacin", "尼克酸(mg)", "尼克酸(vpp)："),
        number("VitC", "VC(mg)", "维生素C"),
        number("vite", "VE(mg)", "维生素E："),
        number("ca", "钙(mg)", "钙："),
        number("p", "磷(mg)", "磷："),
        number("k", "钾(mg)", "钾："),
        number("na", "钠(mg)", "钠："),
        number("mg", "镁(mg)", "镁"),
        number("fe", "铁(mg)", "铁："),
        number("zn", "锌(mg)", "锌："),
        number("se", "硒(μg)", "硒："),
        number("cu", "铜(mg)", "铜："),
        number("mn", "锰(mg)", "锰："),
        text("Spell", "简拼", "名称简拼："),
    };
    return fields;
}

const QList<FoodField> &FoodEditFields()
{
    static const QList<FoodField> fields = [] {
        QList<FoodField> out;
        for (const FoodField &f : FoodListFields()) {
            out << f;
            // The three page-only fields sit beside their relatives.
            if (f.field == QLatin1String("energy"))
                out << number("Energy_kJ", "热量(千焦)", "热量(千焦)：");
            else if (f.field == QLatin1String("Cholesterol"))
                out << number("Ash", "灰分(g)", "灰分：");
            else if (f.field == QLatin1String("vite"))
                out << number("a_Vit_E", "α-E(mg)", "α-E");
        }
        return out;
    }();
    return fields;
}

QStringList FoodNumericFields()
{
    QStringList out;
    for (const FoodField &f : FoodEditFields())
        if (f.numeric)
            out << f.field;
    return out;
}

QList<RowsModel::Column> FoodColumnsFor(const QStringList &fields)
{
    QList<RowsModel::Column> out;
    for (const QString &name : fields) {
        const FoodField *found = nullptr;
        for (const FoodField &f : FoodEditFields())
            if (f.field.compare(name, Qt::CaseInsensitive) == 0)
                found = &f;
        RowsModel::Column c;
        c.field = name;
        if (found) {
            c.caption = found->title;
            c.kind = found->numeric ? RowsModel::Kind::Number : RowsModel::Kind::Text;
            c.width = widthOf(*found);
        } else {
            c.caption = name;
            c.width = 100;
        }
        out << c;
    }
    return out;
}

QList<RowsModel::Column> FoodListColumns()
{
    QStringList fields;
    for (const FoodField &f : FoodListFields())
        fields << f.field;
    return FoodColumnsFor(fields);
}

const QList<FoodCategory> &FoodCategories()
{
    static const QList<FoodCategory> categories = [] {
        const char *names[] = {"谷类及制品", "薯类、淀粉及制品", "干豆类及制品", "蔬菜类及制品", "菌藻类",
                               "水果类及制品", "坚果、种子类", "畜肉类及制品", "禽肉类及制品", "乳类及制品",
                               "蛋类及制品", "鱼虾蟹贝类", "婴幼儿食品", "小吃、甜饼", "速食食品", "饮料类",
                               "含酒精饮料", "糖、蜜饯类", "油脂类", "调味品类", "药食两用食物及其它"};
        QList<FoodCategory> out;
        for (int i = 0; i < 21; ++i)
            out << FoodCategory{QString::fromUtf8(names[i]), QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'))};
        out << FoodCategory{QStringLiteral("全部"), QString()};
        return out;
    }();
    return categories;
}

bool HasFoodCategoryPrefix(const QString &foodId)
{
    const QString prefix = foodId.left(2);
    if (prefix.size() < 2)
        return false;
    for (const FoodCategory &c : FoodCategories())
        if (!c.prefix.isEmpty() && c.prefix == prefix)
            return true;
    return false;
}
