#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QString>

#include "engine/Point.h"
#include "shell/qt/OpenDialog.h"

class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QImage;
namespace Ui {
class MainForm;
}

namespace slanter {

class THandyBitmap;
struct ProgramState;
class PixelExactPicture;

// The main window: opens a picture (a BMP file, an icon file, a picture of any format the
// platform decodes, or the clipboard's; by the menu, by dropping or from the list of
// recent files), shows
// it at its natural size with the window fitted to it, and hands it to the pattern
// engine and the method window. It owns the pattern engine, the opened picture and the
// run's temporary pictures, and its close ends the program.
class TMainForm : public QMainWindow {
    Q_OBJECT

  public:
    // `commandLine` is the run's switches (see Arguments.h).
    TMainForm(ProgramState& state, std::string commandLine);
    ~TMainForm() override;

    // Builds the window's state and shows it, with the splash up meanwhile. False when the
    // installation is damaged: the message has been shown and the program is to stop.
    bool FormCreate();

    // The menu commands.
    void KFileOpenClick();
    void KFileClipboardClick();
    void KFileExitClick();
    // Picture > Size...: the working picture at the size the user chooses.
    void KPictureSizeClick();
    void KViewMethodClick();
    void KViewInformationClick();
    void KHelpHelpClick();
    void KHelpDeleteRegistryClick();
    void KHelpVersionClick();
    void KHelpCopyrightClick();

    // The open command once a file is chosen, in the dialog or on the command line.
    void OpenChosenFile(const std::string& fileName);
    // Files dropped on the window: the first is opened as the open command does.
    void OpenDroppedFiles(const std::vector<std::string>& fileNames);
    // Entry `index` of the recent files (0 the newest): opened, or, when it is gone,
    // taken off the list with a message.
    void KFileRecentClick(std::size_t index);
    // The recent files, newest first, as the settings store holds them.
    std::vector<std::string> RecentFiles() const;

    // Gives the client area the picture's size (at least 100 wide), the window kept on the
    // usable screen with scroll bars for the rest, and hands the size to the pattern
    // engine.
    void FitToImage();

  signals:
    // The window has closed: the program is to end.
    void Closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void FormClose();
    // The width the menu bar needs to show every menu on its one line.
    int MenuBarWidth() const;
    // The window is never made narrower than its menu bar needs.
    void KeepMenuBarWhole();
    void SetEnglishCaptions();
    void NameSeparators();

    void OpenBitmapFile(const std::string& fileName);
    void OpenIconFile(const std::string& fileName);
    // A picture of another format, through the platform's decoder.
    void OpenPictureFile(const std::string& fileName);
    // The decoded picture becomes the working file, shown and loaded. False, after the
    // can't-copy message, when the working file cannot be written.
    bool TakeDecodedPicture(const std::string& fileName, THandyBitmap& decoded);
    // A file is the picture shown now: its name, and the head of the recent files.
    void Opened(const std::string& fileName);
    void StoreRecentFiles(const std::vector<std::string>& files);
    // The File menu's entries of the recent files, placed before Exit.
    void RefreshRecentFiles();
    // Writes the picture as the working file; false when it cannot be written.
    bool SaveWorkingFile(const QImage& picture);
    // Shows the picture, fits the window to it and refills the method window.
    void TakePicture(const QImage& picture);
    // SourceBitmap reads the working file; when it refuses, the user hears why (for the
    // picture called name) and nothing is left to offer.
    bool LoadWorkingFile(const std::string& name);
    // SourceName := name, with the figures of the picture SourceBitmap has just loaded.
    void NameSource(const std::string& name);
    // The engine keeps its options but loses the picture's size, so the method window
    // offers no pattern for a picture that SourceBitmap does not hold.
    void ForgetPicture();
    // The working picture (file, display, SourceBitmap) becomes the picture as opened at
    // `size`; the file it came from is never touched.
    void ResizePicture(TPoint size);
    void RefreshMethodWindow();
    // The platform's decoder could not read the file: the general error box.
    void DecoderFailed(const std::string& fileName, const QString& reason);
    void Message(const std::string& text);

    std::unique_ptr<Ui::MainForm> ui_;
    ProgramState& state_;
    PixelExactPicture* shownPicture_ = nullptr; // paints Image1
    OpenDialogSettings OpenDialog1;
    std::string commandLine_;
    // The name of the picture shown: the chosen file's full name or the clipboard's
    // label; empty until a picture is opened.
    std::string SourceName;
    // The figures of the picture SourceName names, for the information box.
    struct {
        int width = 0;
        int height = 0;
        int bitCount = 0;
    } sourceFacts_;
    // The picture as opened, kept while SourceBitmap holds it resized; with its size.
    std::unique_ptr<THandyBitmap> originalPicture_;
    TPoint resizedFrom_;
    // The File menu's recent-file entries and their separator, the menu holding those in use.
    std::vector<QAction*> recentActions_;
    bool closed_ = false;
};

// The main window of this run; null before it is made and after it is gone.
extern TMainForm* MainForm;

} // namespace slanter
