#pragma once
// TSDIAppForm, the main window: two toolbars and a menu built from the
// command table (app/Commands.h), one QAction per command, the drawing
// surface, the status bar with its four panels, and the dialogs. A command
// runs its editor method and refreshes; the few the window runs itself are
// its handlers below.

#include <QImage>
#include <QMainWindow>
#include <QRect>
#include <array>
#include <memory>

#include "app/Commands.h"
#include "app/Controls.h"
#include "app/Editor.h"
#include "app/gui/DialogPrompter.h"
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
    // With no prompter given the editor asks through the window's own dialogs,
    // or through what `wrapDialogs` makes of them when it is set. Whoever
    // answers, the busy cursor, the beep, the closing search and the redraws
    // are the window's own (TDialogHost).
    explicit TSDIAppForm(TPrompter* prompter = nullptr, QWidget* parent = nullptr,
                         const TDialogsWrapper& wrapDialogs = {});
    ~TSDIAppForm() override;

    TEditor& Editor() { return *m_editor; }
    TDrawingSurface* Surface() const { return m_surface; }
    // Image1's picture as last rendered.
    const QImage& Drawing() const;
    // The action of a menu item's or a tool button's command (the button
    // shows it), or a named separator.
    QAction* Action(ControlId id) const { return m_controls[Slot(id)].action; }
    QToolButton* Button(ControlId id) const { return m_controls[Slot(id)].button; }
    QAction* CommandAction(CommandId id) const { return m_actions[static_cast<std::size_t>(id)]; }
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
    // What choosing a command does, whatever its state.
    void Run(CommandId id);

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

    // ---- The commands the window runs itself (app/gui/MainControls.cpp),
    // named after the controls they serve
    void FileExit1Execute();
    void HelpAbout1Execute();
    void ToolButton57Click();  // Fit to Window
    void ToolButton56Click();  // Copy Circuit
    void WorkingArea1Click();  // Options
    // Snow from the surface menu, as the accessories showcase picks it.
    void N21Click() { Run(CommandId::SurfaceSnow); }

    // ---- Editing with the mouse and the toolbars (SdimainEditing.cpp)
    // A curve button released: inserts when the pointer is still over it.
    void CurveButtonReleased(ControlId button, TMouseButton released, bool over);
    // Shows any curve button left pressed released again.
    void ReleaseCurveButtons();
    // ---- Notes
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
    void CircuitDimensions1Click();  // Circuit Dimensions
    void ToolButton61Click();        // Lap Times
    void ToolButton53Click();        // Print
    void SuggestCircuits1Click();    // Suggest Circuits
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
        QAction* action = nullptr;      // the command's action, or the separator
        QToolButton* button = nullptr;  // tool buttons only
        QAction* place = nullptr;       // a tool button's place in its toolbar, which shows or hides it
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
    QAction* MakeAction(const TCommandDef& def);
    QToolButton* MakeButton(const TCommandDef& def, QToolBar* bar);
    // Shows the commands' and the controls' states, and the pictures of the
    // two drop-down buttons.
    void ApplyControlStates(const TCommandStates& commands, const TControlStates& controls, int iconImage,
                            int surfaceImage);
    // The same from the editor as it is now, between refreshes.
    void ShowControls();
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
    std::unique_ptr<TDialogHost> m_host;           // outlives the editor too
    std::unique_ptr<TEditor> m_editor;
    Pictures m_pictures;

    std::array<ControlWidgets, kControlCount> m_controls{};
    std::array<QAction*, kCommandCount> m_actions{};
    std::array<QMenu*, kMenuCount> m_menus{};  // by MenuId
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

    // Icons and notes.
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
