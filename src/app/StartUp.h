#pragma once
// The program's start-up sequence and its end.
#include <QString>
#include <memory>

class SingleInstance;
class SplashWindow;
class TAboutFrm;
class TLeaveFrm;
class TReMenuFrm;
class TTemplateFrm;
class TchaxunFrm;
class TmainenanceFrm;
class TStudentInfoFrm;
class TChgPwdFrm;
class TMainxifrm;
class TUserManageFrm;
class TUserlogyfForm1;
class TfrmDM;

class Program {
public:
    explicit Program(QString programDir);
    ~Program();

    // The whole sequence; answers the exit code.
    int run();

    // The steps, in order (also used by tests and benchmarks).
    bool loadPinyin();             // shows the loading failure and answers false
    bool anotherInstanceRaised();  // true: the running program was brought to the front
    // Creates the database on the first start, then opens it; an error is shown in the
    // general error box and leaves the program without a connection.
    bool openDatabase();
    void createMainWindows();      // after a successful login
    void end();                    // closes the connection and compacts the file

    int splashMilliseconds = 3000;
    TfrmDM *dataModule() const { return dm_.get(); }
    TMainxifrm *mainWindow() const { return main_.get(); }
    TUserlogyfForm1 *loginWindow() const { return login_.get(); }

private:
    void raiseWindows();

    QString programDir_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<TfrmDM> dm_;
    std::unique_ptr<TUserlogyfForm1> login_;
    std::unique_ptr<TMainxifrm> main_;
    std::unique_ptr<TUserManageFrm> operators_;
    std::unique_ptr<TChgPwdFrm> password_;
    std::unique_ptr<TAboutFrm> about_;
    std::unique_ptr<TStudentInfoFrm> children_;
    std::unique_ptr<TLeaveFrm> promotion_;
    std::unique_ptr<TmainenanceFrm> foods_;
    std::unique_ptr<TTemplateFrm> templates_;
    std::unique_ptr<TReMenuFrm> recommended_;
    std::unique_ptr<TchaxunFrm> nutrientQuery_;
};
