#include "StartUp.h"

#include "FirstStart.h"
#include "SingleInstance.h"
#include "SplashWindow.h"
#include "TAboutFrm.h"
#include "TChgPwdFrm.h"
#include "TMainxifrm.h"
#include "TUserManageFrm.h"
#include "TUserlogyfForm1.h"
#include "children/TLeaveFrm.h"
#include "children/TStudentInfoFrm.h"
#include "data/AppContext.h"
#include "food/TReMenuFrm.h"
#include "food/TTemplateFrm.h"
#include "food/TchaxunFrm.h"
#include "food/TmainenanceFrm.h"
#include "data/Messages.h"
#include "data/TfrmDM.h"
#include "food/PinyinTable.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>

Program::Program(QString programDir) : programDir_(std::move(programDir)) {}

Program::~Program() = default;

bool Program::loadPinyin()
{
    try {
        PinyinTable::instance().load(programDir_);
        return true;
    } catch (const PinyinLoadError &e) {
        ShowError(QString::fromUtf8(e.what()));
        return false;
    }
}

bool Program::anotherInstanceRaised()
{
    instance_ = std::make_unique<SingleInstance>(SingleInstance::keyFor(programDir_));
    if (instance_->signalRunningInstance())
        return true;
    instance_->listen([this] { raiseWindows(); });
    return false;
}

void Program::raiseWindows()
{
    QWidget *target = main_ ? static_cast<QWidget *>(main_.get()) : nullptr;
    if (QWidget *modal = QApplication::activeModalWidget())
        target = modal;
    if (!target)
        target = QApplication::activeWindow();
    if (!target && login_ && login_->isVisible())
        target = login_.get();
    if (target) {
        target->showNormal();
        target->raise();
        target->activateWindow();
    }
}

bool Program::openDatabase()
{
    const QString path = TfrmDM::databasePathFor(programDir_);
    try {
        if (!QFileInfo::exists(path))
            CreateNewDatabase(path, QDir(programDir_).filePath(QStringLiteral("reference")));
        dm_ = std::make_unique<TfrmDM>(path);
        return true;
    } catch (const std::exception &e) {
        dm_.reset();
        ShowError(QString::fromUtf8(e.what()));
        return false;
    }
}

void Program::createMainWindows()
{
    main_ = std::make_unique<TMainxifrm>();
    operators_ = std::make_unique<TUserManageFrm>(main_.get());
    password_ = std::make_unique<TChgPwdFrm>(main_.get());
    about_ = std::make_unique<TAboutFrm>(main_.get());
    children_ = std::make_unique<TStudentInfoFrm>(main_.get());
    promotion_ = std::make_unique<TLeaveFrm>(main_.get());
    foods_ = std::make_unique<TmainenanceFrm>(main_.get());
    templates_ = std::make_unique<TTemplateFrm>(main_.get());
    recommended_ = std::make_unique<TReMenuFrm>(main_.get());
    nutrientQuery_ = std::make_unique<TchaxunFrm>(main_.get());

    main_->setCommand(Command::OperatorMaintenance, [this] { operators_->exec(); });
    main_->setCommand(Command::PasswordChange, [this] { password_->exec(); });
    main_->setCommand(Command::About, [this] { about_->exec(); });
    main_->setCommand(Command::ChildRegister, [this] { children_->exec(); });
    main_->setCommand(Command::Promotion, [this] { promotion_->exec(); });
    main_->setCommand(Command::FoodTable, [this] { foods_->exec(); });
    main_->setCommand(Command::MenuTemplates, [this] { templates_->exec(); });
    main_->setCommand(Command::RecommendedMenus, [this] { recommended_->exec(); });
    main_->setCommand(Command::NutrientQuery, [this] { nutrientQuery_->exec(); });
    main_->setCommand(Command::Help, [this] {
        ctx().opener->open(QDir(programDir_).filePath(QStringLiteral("help/index.html")));
    });
}

void Program::end()
{
    if (!dm_)
        return;
    const QString path = dm_->databasePath();
    dm_->close();
    TfrmDM::CompactDataFile(path, TfrmDM::databasePassword());
}

int Program::run()
{
    if (!loadPinyin())
        return 1;
    if (anotherInstanceRaised())
        return 0;
    const bool connected = openDatabase();
    auto splash = std::make_unique<SplashWindow>();
    login_ = std::make_unique<TUserlogyfForm1>();
    QApplication::setApplicationDisplayName(QString::fromUtf8(kProgramTitle));

    splash->show();
    splash->repaint();
    QApplication::processEvents();
    QThread::msleep(ulong(splashMilliseconds));

    if (!connected) {
        // The splash stays as the only window; closing it ends the program.
        splash->setAttribute(Qt::WA_QuitOnClose, true);
        splash->setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint);
        splash->setWindowTitle(QString::fromUtf8(kProgramTitle));
        splash->show();
        return QApplication::exec();
    }
    splash.reset();

    if (login_->exec() != QDialog::Accepted)
        return 0;

    createMainWindows();
    main_->show();
    const int code = QApplication::exec();
    end();
    return code;
}
