#pragma once
// TSDIAppForm, the main window: two toolbars and a menu built from the
// control table (app/MainControls), the drawing surface, the status bar with
// its four panels, and the dialogs. Its handlers are thin: they pass the
// event to the editor and refresh.

#include <QImage>
#include <QMainWindow>
#include <QRect>
#include <array>
#include <memory>

#include "app/Controls.h"
#include "app/Editor.h"
#include "app/gui/DialogPrompter.h"
#include "app/gui/MainControls.h"
#include "app/gui/ToolWindows.h"
#include "render/Pictures.h"

class QAction;
class QFileDialog;
class QTimer;
class QLabel;
class QMenu;
class QMouseEvent;
class QToolBar;
class QToolButton;

namespace quillet {

class TAboutBox;
class TCurveButtonFilter;
class TDrawingSurface;
class TWindowPlaces;
class TForm2;
class TForm7;
class TForm9;
class TForm11;
class TForm15;

class TSettingsRecentStore;

class TSDIAppForm : public QMainWindow, private TTemplatePicture, private TPictureMaker {
    Q_OBJECT
public:
    // With no prompter the editor asks through the window's own dialogs.
    // With no prompter given the editor asks through the window's own dialogs,
    // or through what `wrapDialogs` makes of them when it is set.
    explicit TSDIAppForm(TPrompter* prompter = nullptr, QWidget* parent = nullptr,
                         const TDialogsWrapper& wrapDialogs = {});
    ~TSDIAppForm() override;

    TEditor& Editor() { return *m_editor; }
    TDrawingSurface* Surface() const { return m_surface; }
    // Image1's picture as last rendered.
    const QImage& Drawing() const;
    // A menu item's action, or the action behind a tool button.
    QAction* Action(ControlId id) const { return m_controls[Slot(id)].action; }
    QToolButton* Button(ControlId id) const { return m_controls[Slot(id)].button; }
    bool IsShown(ControlId id) const;
    QLabel* Panel(int index) const { return m_panels[static_cast<std::size_t>(index)]; }
    TAboutBox* AboutBox() const { return m_about; }
    const Pictures& DrawingPictures() const { return m_pictures; }

    // The refresh.
    void FormActualize();
    // Every window's texts in the current language.
    void ApplyLanguage();
    // Opens a circuit named at start; a file that cannot be read is reported.
    void OpenAtStart(const QString& path);
    // Runs the command of the control with that object name as if chosen;
    // false for an unknown or disabled control.
    bool RunCommand(const QString& objectName);

    // ---- The recent files and crash recovery
    // Keeps the recent-files list in that settings file (until then the list
    // lasts for the run).
    void UseRecentFiles(const QString& settingsFile);
    // Tool windows reopen where the user last put them, kept in this file.
    void UseWindowPlaces(const QString& settingsFile);
    QMenu* RecentMenu() const { return m_recentMenu; }
    // Fills the recent-files submenu: the files that are there, numbered.
    void FillRecentMenu();
    // Keeps a recovery copy of unsaved work in that folder (created here).
    void UseRecovery(const QString& folder);
    TRecovery* Recovery() const { return m_recovery.get(); }
    // Start-up: offers the copies of sessions that did not end cleanly. True
    // when one was restored.
    bool OfferRecovery();

    // ---- Handlers (named after the controls they serve)
    void FileNew1Execute();
    void FileOpen1Execute();
    void FileSave1Execute();
    void FileExit1Execute();
    void OpenTemplate1Click();
    void HelpAbout1Execute();
    void ToolButton44Click();  // Undo
    void ToolButton11Click();  // Zoom In
    void ToolButton12Click();  // Zoom Out
    void ToolButton57Click();  // Fit to Window
    void ToolButton18Click();  // Grid
    void Reglas1Click();       // Show Rulers
    void ToolButton5Click();   // Show Color Code
    void ToolButton42Click();  // Show Template
    void ToolButton56Click();  // Copy Circuit
    void WorkingArea1Click();  // Options

    // ---- Editing with the mouse and the toolbars (SdimainEditing.cpp)
    // An editor command, then the refresh. The control table names the
    // editor's handler: Command<&TEditor::ToolButton19Click> is Delete.
    template <void (TEditor::*Handler)()>
    void Command() {
        (m_editor.get()->*Handler)();
        FormActualize();
    }
    // A command that may only change what a button shows (the border
    // defaults): refreshed only when the editor asks for it.
    template <bool (TEditor::*Handler)()>
    void CommandOrShow() {
        if ((m_editor.get()->*Handler)()) {
            FormActualize();
        } else {
            ApplyControlStates(m_editor->Controls(), m_editor->IconImage(), m_editor->SurfaceImage());
        }
    }
    // A curve button released: inserts when the pointer is still over it.
    void CurveButtonReleased(ControlId button, TMouseButton released, bool over);
    // Shows any curve button left pressed released again.
    void ReleaseCurveButtons();
    // ---- Clipboard, accessory icons, track surfaces and notes
    void SelectAll1Click();
    void CopyTrack1Click();
    void CutTrack1Click();
    void PasteTrack1Click();
    void ToolButton23Click();  // Insert Icon: the kind on the button again
    void asd1Click();          // controller
    void asd2Click();          // lap counter
    void asd3Click();          // start
    void HelperClick();        // assistant
    void PowerSource1Click();  // power source
    void ToolButton33Click();  // the surface on the button
    void N11Click();           // asphalt
    void N21Click();           // snow
    void N31Click();           // sand
    void N41Click();           // water
    void ToolButton55Click();  // Notes
    TForm11* NotesWindow() const { return m_form11; }
    // ---- Circuit tools and stock (SdimainTools.cpp)
    void TracksList1Click();    // Track List
    void Stock1Click();         // Tracks Stock
    void StockControl1Click();  // Stock Control
    // Where Stock Control opens first in a run: where the user last put it,
    // else at the right of the drawing surface, clear of menus and toolbars;
    // on the screen in both cases.
    void PlaceStockControl();
    void Close1Click();              // Close...
    void Convert1Click();            // Convert...
    void CircuitDimensions1Click();  // Circuit Dimensions
    void ToolButton61Click();        // Lap Times
    void ToolButton53Click();        // Print
    const TToolWindows& Tools() const { return m_tools; }
    // ---- File > Export and the recent files
    void ExportPng1Click();
    void ExportSvg1Click();
    void ExportPdf1Click();
    void ExportCsv1Click();
    void OpenRecent(const QString& path);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct ControlWidgets {
        QAction* action = nullptr;      // menu item, or the button's place in its toolbar
        QToolButton* button = nullptr;  // tool buttons only
    };
    static std::size_t Slot(ControlId id) { return static_cast<std::size_t>(id); }

    // TTemplatePicture
    bool Load(const std::string& path) override;
    void Clear() override;
    // TPictureMaker: the exported pictures, with the template the window
    // holds.
    bool MakePicture(ExportKind kind, std::string& bytes) override;
    // After every refresh and notes edit: unsaved work starts the recovery
    // timer, saved work loses its copy.
    void NoticeChanges();
    void RecoveryTimeout();

    void BuildControls();
    void BuildKeys();
    void BuildStatusBar();
    // Shows `text` in a status bar panel, the panel wide enough for it.
    void ShowInPanel(std::size_t index, const QString& text);
    void FitPanel(std::size_t index);
    void ApplyControlStates(const TControlStates& states, int iconImage, int surfaceImage);
    void Run(ControlHandler handler);
    void RedrawRulers();
    void Image1MouseMove(QMouseEvent* event);
    void Image4MouseDown(QMouseEvent* event);
    void Image4MouseMove(QMouseEvent* event);
    void Image4MouseUp(QMouseEvent* event);
    void ScrollBox1Resize();
    // ---- Mouse editing on the drawing (SdimainEditing.cpp)
    void ConnectEditing();
    void Image1MouseDown(QMouseEvent* event);
    void Image1MouseUp(QMouseEvent* event);
    // A move with a drag held: true when the drag took it.
    bool Image1DragMove(QMouseEvent* event);
    // The picture was rendered again: no measuring line is on it, and the
    // held accessory is shown over it.
    void PictureRendered();
    void ShowHeldIcon();
    QRect DragArea() const;
    QObject* TextTarget(const QString& name) const;
    // FormActualize's step for the Stock Control window while it is shown.
    void RefreshStockControl();

    std::unique_ptr<TDialogPrompter> m_ownPrompter;
    std::unique_ptr<TPrompter> m_wrappedPrompter;  // asks m_ownPrompter; outlives the editor
    std::unique_ptr<TEditor> m_editor;
    Pictures m_pictures;

    std::array<ControlWidgets, kControlCount> m_controls{};
    std::array<QMenu*, 7> m_menus{};  // by MenuId
    QToolBar* m_toolBar1 = nullptr;
    QToolBar* m_toolBar2 = nullptr;
    TDrawingSurface* m_surface = nullptr;
    std::array<QLabel*, 4> m_panels{};

    TForm9* m_form9 = nullptr;
    TForm7* m_form7 = nullptr;
    TForm15* m_form15 = nullptr;
    TForm2* m_form2 = nullptr;
    TAboutBox* m_about = nullptr;
    QFileDialog* m_openDialog = nullptr;
    QFileDialog* m_saveDialog = nullptr;
    QFileDialog* m_templateDialog = nullptr;
    bool m_refreshing = false;
    TCurveButtonFilter* m_curveButtons = nullptr;
    // What the last press did, said beside the mouse when it is released
    // (a tool tip shown earlier would close with the release).
    QString m_clickNotice;

    // Clipboard, icons, surfaces, notes.
    void StartIconPlacement();
    TForm11* m_form11 = nullptr;
    bool m_notesPlaced = false;
    TToolWindows m_tools;

    QFileDialog* m_exportDialog = nullptr;
    QMenu* m_recentMenu = nullptr;
    std::unique_ptr<TSettingsRecentStore> m_recentStore;
    std::unique_ptr<TWindowPlaces> m_places;
    bool m_stockControlPlaced = false;
    std::unique_ptr<TRecovery> m_recovery;
    QTimer* m_recoveryTimer = nullptr;
};

}  // namespace quillet
