#pragma once

#include <memory>
#include <string>

#include <QMainWindow>
#include <QString>

#include "shell/qt/OpenDialog.h"

class QCloseEvent;
class QImage;
namespace Ui {
class MainForm;
}

namespace slanter {

class TSlanter;
class THandyBitmap;
class TemporaryPictures;

// The main window: opens a picture (a BMP file, an icon file or the clipboard's), shows
// it at its natural size with the window fitted to it, and hands it to the pattern
// engine and the method window. It owns the pattern engine, the opened picture and the
// run's temporary pictures, and its close ends the program.
class TMainForm : public QMainWindow {
    Q_OBJECT

  public:
    // `commandLine` is the run's switches (see Arguments.h).
    explicit TMainForm(std::string commandLine);
    ~TMainForm() override;

    // Builds the window's state and shows it, with the splash up meanwhile. False when the
    // installation is damaged: the message has been shown and the program is to stop.
    bool FormCreate();

    // The menu commands.
    void KFileOpenClick();
    void KFileClipboardClick();
    void KFileExitClick();
    void KViewMethodClick();
    void KViewInformationClick();
    void KHelpHelpClick();
    void KHelpDeleteRegistryClick();
    void KHelpVersionClick();
    void KHelpCopyrightClick();

    // The open command once a file is chosen, in the dialog or on the command line.
    void OpenChosenFile(const std::string& fileName);

    // Gives the client area the picture's size (at least 100 wide) and hands the size to
    // the pattern engine.
    void FitToImage();

  signals:
    // The window has closed: the program is to end.
    void Closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormClose();
    void SetEnglishCaptions();
    void NameSeparators();

    void OpenBitmapFile(const std::string& fileName);
    void OpenIconFile(const std::string& fileName);
    // Writes the picture as the working file; false when it cannot be written.
    bool SaveWorkingFile(const QImage& picture);
    // Shows the picture, fits the window to it and refills the method window.
    void TakePicture(const QImage& picture);
    // SourceBitmap reads the working file; when it refuses, nothing is left to offer.
    bool LoadWorkingFile();
    // The engine keeps its options but loses the picture's size, so the method window
    // offers no pattern for a picture that SourceBitmap does not hold.
    void ForgetPicture();
    void RefreshMethodWindow();
    // The platform's decoder could not read the file: the general error box.
    void DecoderFailed(const std::string& fileName, const QString& reason);
    void Message(const std::string& text);

    std::unique_ptr<Ui::MainForm> ui_;
    OpenDialogSettings OpenDialog1;
    std::string commandLine_;
    // The name of the picture shown: the chosen file's full name or the clipboard's
    // label; empty until a picture is opened.
    std::string SourceName;
    std::unique_ptr<TSlanter> engine_;
    std::unique_ptr<THandyBitmap> sourceBitmap_;
    std::unique_ptr<TemporaryPictures> temporaryPictures_;
    bool closed_ = false;
};

// The main window of this run; null before it is made and after it is gone.
extern TMainForm* MainForm;

} // namespace slanter
