#pragma once
// The main window: tool-bar menus, navigation tree, background picture, status bar.
#include <QHash>
#include <QWidget>
#include <functional>

class NavigationTree;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QToolBar;
class QTreeWidgetItem;
class QAction;

// Command codes of the navigation tree and the menu items.
namespace Command {
enum : int {
    ChildRegister = 11,
    Promotion = 12,
    Examinations = 13,
    FoodTable = 21,
    MenuTemplates = 22,
    RecommendedMenus = 23,
    NutrientQuery = 24,
    WeeklyMenu = 25,
    GroupAnalysis = 31,
    IndividualAnalysis = 32,
    Backup = 41,
    RestoreGroup = 42,
    Restore = 29,
    OperatorMaintenance = 43,
    PasswordChange = 44,
    Help = 51,
    About = 52,
};
}

class TMainxifrm : public QWidget {
    Q_OBJECT
public:
    explicit TMainxifrm(QWidget *parent = nullptr);
    ~TMainxifrm() override;

    // Installs the command of a code and enables its menu item and tree node.
    void setCommand(int code, std::function<void()> command);
    // Runs the command of a code; codes without a command (groups, 42) do nothing.
    void runCommand(int code);
    bool commandEnabled(int code) const;

    // The handler of the re-grading button; the button is disabled while none is set.
    void setRegradeHandler(std::function<void()> handler);
    // Shows or hides the panel "正在优化升级 请稍等".
    void setRegradeBusy(bool busy);

    // The show handler: upgrade marker, later fields, operator name.
    void runShowHandler();
    void updateClock();

    NavigationTree *tree() const { return tree_; }
    QPushButton *regradeButton() const { return regradeButton_; }
    QLabel *statusPanel(int i) const { return panels_.value(i); }
    QToolBar *menuBar() const { return toolBar_; }
    QAction *menuAction(int code) const { return menuActions_.value(code); }

    // The clock text: 2006年03月07日 9:05:41.
    static QString clockText(const QDateTime &t);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildMenus();
    void buildTree();
    QAction *addMenuItem(QMenu *menu, const QString &text, int code);
    void refreshEnabled(int code);

    QToolBar *toolBar_ = nullptr;
    NavigationTree *tree_ = nullptr;
    QPushButton *regradeButton_ = nullptr;
    QLabel *regradeBusy_ = nullptr;
    QList<QLabel *> panels_;
    QTimer *clock_ = nullptr;
    QHash<int, std::function<void()>> commands_;
    QHash<int, QAction *> menuActions_;
    QHash<int, QTreeWidgetItem *> nodes_;
    std::function<void()> regrade_;
};
