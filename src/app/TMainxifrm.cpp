#include "TMainxifrm.h"

#include "Artwork.h"
#include "NavigationTree.h"
#include "Operators.h"
#include "data/AppContext.h"
#include "data/Guard.h"
#include "data/Messages.h"
#include "data/Schema.h"
#include "data/TfrmDM.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The background picture, stretched over the area right of the tree.
class BackgroundArea : public QWidget {
public:
    explicit BackgroundArea(QWidget *parent) : QWidget(parent), picture_(BackgroundPicture()) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.drawPixmap(rect(), picture_);
    }

private:
    QPixmap picture_;
};

}  // namespace

TMainxifrm::TMainxifrm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Mainxifrm"));
    setWindowTitle(QStringLiteral("朗禾幼儿园膳食营养分析系统 -- V9.5"));
    resize(800, 600);
    setAttribute(Qt::WA_QuitOnClose, true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    toolBar_ = new QToolBar(this);
    toolBar_->setMovable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(toolBar_);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    tree_ = new NavigationTree(splitter);
    tree_->setMinimumWidth(120);
    auto *background = new BackgroundArea(splitter);
    splitter->addWidget(tree_);
    splitter->addWidget(background);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({185, 615});
    layout->addWidget(splitter, 1);

    regradeButton_ = new QPushButton(QStringLiteral("请点此优化升级"), background);
    regradeButton_->setFixedSize(113, 40);
    regradeButton_->move(24, 24);
    regradeButton_->setEnabled(false);
    regradeButton_->hide();
    connect(regradeButton_, &QPushButton::clicked, this, guarded([this] {
                if (regrade_)
                    regrade_();
            }));

    regradeBusy_ = new QLabel(QStringLiteral("正在优化升级 请稍等"), background);
    regradeBusy_->setStyleSheet(QStringLiteral("color: red; font-weight: bold; background: #fff8e0; border: 1px solid #c0a060;"));
    regradeBusy_->setAlignment(Qt::AlignCenter);
    regradeBusy_->setFixedSize(220, 40);
    regradeBusy_->move(150, 24);
    regradeBusy_->hide();

    auto *status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    const QStringList texts = {QStringLiteral("朗禾幼儿园营养分析系统"), QStringLiteral("操作员"), QString(),
                               QStringLiteral("时间"), QString()};
    const int widths[] = {135, 42, 90, 40, 160};
    for (int i = 0; i < 5; ++i) {
        auto *panel = new QLabel(texts.at(i), status);
        panel->setAlignment(Qt::AlignCenter);
        panel->setFixedWidth(widths[i]);
        panel->setFrameShape(QFrame::StyledPanel);
        status->addWidget(panel);
        panels_ << panel;
    }
    layout->addWidget(status);

    buildMenus();
    buildTree();
    connect(tree_, &NavigationTree::commandRequested, this, [this](int code) { runCommand(code); });

    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, [this] {
        clock_->stop();
        updateClock();
        clock_->start();
    });
    clock_->start();
    updateClock();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TMainxifrm::~TMainxifrm() = default;

QAction *TMainxifrm::addMenuItem(QMenu *menu, const QString &text, int code)
{
    QAction *action = menu->addAction(text);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, code] { runCommand(code); });
    menuActions_.insert(code, action);
    return action;
}

void TMainxifrm::buildMenus()
{
    auto addMenu = [this](const QString &caption) {
        auto *menu = new QMenu(caption, this);
        auto *button = new QToolButton(toolBar_);
        button->setObjectName(QStringLiteral("menuButton"));
        button->setText(caption);
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setFixedSize(79, 20);
        button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
        toolBar_->addWidget(button);
        return menu;
    };

    QMenu *system = addMenu(QStringLiteral("系统"));
    addMenuItem(system, QStringLiteral("数据备份"), Command::Backup);
    QMenu *restore = system->addMenu(QStringLiteral("数据恢复"));
    addMenuItem(restore, QStringLiteral("恢复备份"), Command::Restore);
    system->addSeparator();
    addMenuItem(system, QStringLiteral("操作员信息维护"), Command::OperatorMaintenance);
    addMenuItem(system, QStringLiteral("修改密码"), Command::PasswordChange);

    QMenu *children = addMenu(QStringLiteral("儿童信息管理"));
    addMenuItem(children, QStringLiteral("基本信息维护"), Command::ChildRegister);
    children->addSeparator();
    addMenuItem(children, QStringLiteral("升班转园管理"), Command::Promotion);
    children->addSeparator();

    QMenu *health = addMenu(QStringLiteral("体检与发育"));
    addMenuItem(health, QStringLiteral("体检与发育"), Command::Examinations);

    QMenu *food = addMenu(QStringLiteral("食物信息"));
    addMenuItem(food, QStringLiteral("食物信息维护"), Command::FoodTable);
    addMenuItem(food, QStringLiteral("食谱模板"), Command::MenuTemplates);
    addMenuItem(food, QStringLiteral("推荐食谱"), Command::RecommendedMenus);
    addMenuItem(food, QStringLiteral("营养素查询"), Command::NutrientQuery);
    addMenuItem(food, QStringLiteral("食谱设计"), Command::WeeklyMenu);

    QMenu *analysis = addMenu(QStringLiteral("营养分析"));
    addMenuItem(analysis, QStringLiteral("群体营养分析"), Command::GroupAnalysis);
    analysis->addSeparator();
    addMenuItem(analysis, QStringLiteral("个体营养分析"), Command::IndividualAnalysis);

    QMenu *help = addMenu(QStringLiteral("帮助"));
    addMenuItem(help, QStringLiteral("帮助"), Command::Help);
    addMenuItem(help, QStringLiteral("关于软件(联系我们)"), Command::About);
}

void TMainxifrm::buildTree()
{
    const QIcon groupIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon leafIcon = style()->standardIcon(QStyle::SP_FileIcon);
    QTreeWidgetItem *group = nullptr;
    auto addGroup = [&](const QString &text) {
        group = tree_->addNode(nullptr, text, 0);
        group->setIcon(0, groupIcon);
        return group;
    };
    auto addLeaf = [&](QTreeWidgetItem *parent, const QString &text, int code) {
        QTreeWidgetItem *item = tree_->addNode(parent, text, code);
        item->setIcon(0, leafIcon);
        if (code % 10 != 0 && code != Command::RestoreGroup) {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
            nodes_.insert(code, item);
        }
        return item;
    };

    addGroup(QStringLiteral("儿童信息管理"));
    addLeaf(group, QStringLiteral("基本信息维护"), Command::ChildRegister);
    addLeaf(group, QStringLiteral("升班转园管理"), Command::Promotion);
    addGroup(QStringLiteral("体检与发育"));
    addLeaf(group, QStringLiteral("体检与发育"), Command::Examinations);
    addGroup(QStringLiteral("食物信息"));
    addLeaf(group, QStringLiteral("食物信息维护"), Command::FoodTable);
    addLeaf(group, QStringLiteral("食谱模板"), Command::MenuTemplates);
    addLeaf(group, QStringLiteral("推荐食谱"), Command::RecommendedMenus);
    addLeaf(group, QStringLiteral("营养素查询"), Command::NutrientQuery);
    addLeaf(group, QStringLiteral("食谱设计"), Command::WeeklyMenu);
    addGroup(QStringLiteral("营养分析"));
    addLeaf(group, QStringLiteral("群体分析"), Command::GroupAnalysis);
    addLeaf(group, QStringLiteral("个体分析"), Command::IndividualAnalysis);
    addGroup(QStringLiteral("系统"));
    addLeaf(group, QStringLiteral("数据备份"), Command::Backup);
    QTreeWidgetItem *restoreGroup = addLeaf(group, QStringLiteral("数据恢复"), Command::RestoreGroup);
    restoreGroup->setIcon(0, groupIcon);
    addLeaf(restoreGroup, QStringLiteral("恢复备份"), Command::Restore);
    addLeaf(group, QStringLiteral("操作员信息维护"), Command::OperatorMaintenance);
    addLeaf(group, QStringLiteral("修改密码"), Command::PasswordChange);
    addGroup(QStringLiteral("帮助"));
    addLeaf(group, QStringLiteral("帮助"), Command::Help);
    addLeaf(group, QStringLiteral("关于软件(联系我们)"), Command::About);
    tree_->expandAll();
}

void TMainxifrm::setCommand(int code, std::function<void()> command)
{
    commands_.insert(code, std::move(command));
    refreshEnabled(code);
}

void TMainxifrm::refreshEnabled(int code)
{
    const bool enabled = commands_.contains(code);
    if (QAction *a = menuActions_.value(code))
        a->setEnabled(enabled);
    if (QTreeWidgetItem *item = nodes_.value(code)) {
        if (enabled)
            item->setFlags(item->flags() | Qt::ItemIsEnabled);
        else
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    }
}

bool TMainxifrm::commandEnabled(int code) const
{
    return commands_.contains(code);
}

void TMainxifrm::runCommand(int code)
{
    const auto it = commands_.constFind(code);
    if (it == commands_.constEnd())
        return;
    const std::function<void()> command = it.value();
    RunGuarded(command);
}

void TMainxifrm::setRegradeHandler(std::function<void()> handler)
{
    regrade_ = std::move(handler);
    regradeButton_->setEnabled(bool(regrade_));
}

void TMainxifrm::setRegradeBusy(bool busy)
{
    regradeBusy_->setVisible(busy);
    regradeBusy_->repaint();
}

void TMainxifrm::runShowHandler()
{
    Database &db = DM().db();
    QString marker;
    try {
        marker = db.scalar(QStringLiteral("select b from cood")).toString().trimmed();
    } catch (const DbError &) {
        StopWith(QStringLiteral("更新数据库出错！"));
    }
    regradeButton_->setVisible(marker != QLatin1String("200"));
    try {
        Schema::AddMissingLaterFields(db);
    } catch (const DbError &) {
        StopWith(QStringLiteral("处理表失败"));
    }
    panels_.at(2)->setText(CurrentOperator().name);
}

void TMainxifrm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        RunGuarded([this] { runShowHandler(); });
}

QString TMainxifrm::clockText(const QDateTime &t)
{
    return t.toString(QStringLiteral("yyyy年MM月dd日 H:mm:ss"));
}

void TMainxifrm::updateClock()
{
    panels_.at(4)->setText(clockText(ctx().clock ? ctx().clock->now() : QDateTime::currentDateTime()));
}
