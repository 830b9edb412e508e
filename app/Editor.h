#pragma once
// The editor behind the main window, free of any toolkit. It owns three
// parts, each with one job, and carries out every command of the main
// window as a plain method that combines them:
//   TDocument     the circuit being edited, its file, its notes and whether
//                 the work is saved (Document.h)
//   TUndoHistory  the one earlier state Undo brings back (UndoHistory.h)
//   TViewState    the work area, the scroll box, the rulers, the modes and
//                 the drags (ViewState.h)
// beside the clipboard circuit, the stock and the drop-down buttons' choices.
// The window forwards its events here and shows what FormActualize returns;
// whatever a command must ask the user goes through the TPrompter, and what
// else it needs from the window (busy cursor, beep, the closing search, a
// redraw) through the TEditorHost.
//
// Implementation files, by concern:
//   EditorState.cpp     creation, FormCreate and the refresh FormActualize
//                       (what it shows is the projection's, app/Projection.h)
//   EditorFiles.cpp     New, Open, Save, Open Template, closing
//   EditorUndo.cpp      KeepCircuit and Undo
//   EditorView.cpp      zoom, fit, grid, rulers, view flags, the work-area
//                       handle, status texts, markers and the render
//   EditorSettings.cpp  the Settings dialog's load and apply
//   EditorMouse.cpp     selecting, reversing, placing and dragging with the
//                       mouse, and measuring
//   EditorEditing.cpp   inserting and deleting pieces, automatic borders,
//                       equilibrating, single racing
//   EditorAttributes.cpp  anchor, orientation, borders, barriers, and
//                       rotating, moving and centring the circuit
//   EditorClipboard.cpp Select All, Copy, Cut and Paste Tracks
//   EditorIcons.cpp     the Insert Icon and surface drop-downs
//   EditorNotes.cpp     the notes and the save question they take part in
//   EditorTools.cpp     Track List, Tracks Stock, Close, Convert and Print
//   EditorExport.cpp    File > Export and the recent files
//   EditorRecovery.cpp  the crash-recovery copy and restoring it
// Commands added later (editing, clipboard, icons, tools) get files of their
// own.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Commands.h"
#include "app/Controls.h"
#include "app/Document.h"
#include "app/EditorHost.h"
#include "app/EditorMouse.h"
#include "app/Prompter.h"
#include "app/RecentFiles.h"
#include "app/Recovery.h"
#include "app/UndoHistory.h"
#include "app/ViewState.h"
#include "model/Canvas.h"
#include "model/Tracks.h"
#include "stock/StockFile.h"
#include "stock/TrackList.h"
#include "tools/Settings.h"

namespace quillet {

// Where the pieces of the drawing surface go inside the scroll box.
struct TSurfaceLayout {
    PixelSize image;            // Image1: the work area at the current scale
    PixelPoint imageOrigin;     // (0, 0), or (16, 16) beside the rulers
    PixelRect outline;          // Shape1: the work-area outline, Image1's bounds
    PixelRect handle;           // Image4: 5 x 5 at Image1's bottom-right corner
    PixelSize horizontalRuler;  // Image2 at (0, 0); empty while hidden
    PixelSize verticalRuler;    // Image3 at (0, 16); empty while hidden
    PixelSize content;          // everything the scroll box scrolls over
    friend bool operator==(const TSurfaceLayout&, const TSurfaceLayout&) = default;
};

// Everything the refresh shows, computed in one place (app/Projection.h).
struct TWindowState {
    std::string caption;  // "Quillet - " and the title
    std::string panel1;   // closed / opened / track limit
    std::string panel2;   // "W x H cm"
    std::string panel3;   // the lane lengths
    TCommandStates commands;
    TControlStates controls;  // the same per control, with what each shows
    double scale = 5.0;
    int32_t minimumScale = 3;
    bool rulersShown = false;
    TSurfaceLayout layout;
    // Set when the command scrolled the drawing back to its origin.
    std::optional<PixelPoint> scrollTo;
    int iconImage = 0;     // picture index shown on ToolButton23 (65..68, 74)
    int surfaceImage = 0;  // picture index shown on ToolButton33 (69..72)
};

// The icon and surface pictures the two drop-down buttons show, as numbered
// in the window's picture list.
inline constexpr int kImageLapCounter = 65;
inline constexpr int kImageController = 66;
inline constexpr int kImageStart = 67;
inline constexpr int kImageAssistant = 68;
inline constexpr int kImagePowerSource = 74;
inline constexpr int kImageSand = 69;
inline constexpr int kImageAsphalt = 70;
inline constexpr int kImageWater = 71;
inline constexpr int kImageSnow = 72;

// The icon kind a placing click gives for the picture on ToolButton23:
// 65 lap counter 1, 66 controller 3, 67 start 2, 68 assistant 4, 74 power
// source 5; 0 for any other picture.
int IconKindOfImage(int image);

// The scale limits, mm per pixel.
inline constexpr double kMaxScale = 20.0;
inline constexpr double kStartScale = 5.0;
// Room the rulers take at the left and top of the drawing.
inline constexpr int32_t kRulerSize = 16;

// The smallest scale Zoom In reaches for a work area:
// max(trunc(sqrt(length / 2000 x width / 2000)) + 1, 3).
int32_t MinimumScaleFor(int32_t areaLength, int32_t areaWidth);

// Draws the pictures File > Export writes (PNG, SVG, PDF); the window does it
// with the toolkit's painter.
class TPictureMaker {
public:
    virtual ~TPictureMaker() = default;
    // The whole file's bytes; false when the picture could not be drawn.
    virtual bool MakePicture(ExportKind kind, std::string& bytes) = 0;
};

// ".png", ".svg", ".pdf", ".csv".
std::string_view ExportExtension(ExportKind kind);

class TEditor {
public:
    TEditor(TPrompter& prompter, TEditorHost& host, TTemplatePicture& templatePicture);

    // ---- The parts
    const TDocument& Document() const { return document_; }
    const TUndoHistory& History() const { return history_; }
    const TViewState& View() const { return view_; }

    // ---- State
    TCircuit& Circuit() { return document_.Circuit(); }
    const TCircuit& Circuit() const { return document_.Circuit(); }
    TCircuit& UndoCircuit() { return history_.Circuit(); }
    const TCircuit& UndoCircuit() const { return history_.Circuit(); }
    TCircuit& ClipboardCircuit() { return clipboard_; }
    const TCircuit& ClipboardCircuit() const { return clipboard_; }
    // The user's stock of pieces, read at start and written when the window
    // closes.
    TTrackList& Stock() { return stock_; }
    const TTrackList& Stock() const { return stock_; }

    int32_t WorkAreaLength() const { return view_.WorkAreaLength(); }
    int32_t WorkAreaWidth() const { return view_.WorkAreaWidth(); }
    // Sets the work area, each side kept within 1000..12000 mm; the circuit
    // takes the same.
    void SetWorkArea(int32_t length, int32_t width);
    int32_t MinimumScale() const { return view_.MinimumScale(); }
    int NewCircuitCounter() const { return newCounter_; }

    bool PlacementMode() const { return view_.PlacementMode(); }
    void SetPlacementMode(bool on) { view_.SetPlacementMode(on); }
    bool MeasuringMode() const { return view_.MeasuringMode(); }
    void SetMeasuringMode(bool on) { view_.SetMeasuringMode(on); }
    bool RulersVisible() const { return view_.RulersVisible(); }

    const TViewport& Viewport() const { return view_.Viewport(); }
    // The window reports the scroll box before each command and refresh.
    void SetViewport(const TViewport& viewport) { view_.SetViewport(viewport); }

    // The controls' states as the last refresh left them; commands that show
    // a state without a refresh (the border buttons) set it here.
    TControlStates& Controls() { return controls_; }
    const TControlStates& Controls() const { return controls_; }
    int IconImage() const { return iconImage_; }
    void SetIconImage(int image) { iconImage_ = image; }
    int SurfaceImage() const { return surfaceImage_; }
    void SetSurfaceImage(int image) { surfaceImage_ = image; }

    // The grid step as the grid drawing and the move commands may use it:
    // never below 1 mm, whatever a circuit holds.
    int32_t EffectiveGridStep() const;

    // ---- Start and refresh (EditorState.cpp)
    // Window creation and New: fresh circuits on a 3000 x 2000 mm work area
    // at 5 mm per pixel, modes cleared.
    void FormCreate();
    // The end of start-up: the circuit takes the untitled name (text 73).
    void StartUp();
    // The refresh: recomputes every shown state from the editor, ends the
    // placement and measuring modes, raises the scale to the minimum and
    // re-centres an empty circuit's start point.
    TWindowState FormActualize();
    // Texts of the status panels.
    std::string Panel1Text() const;
    std::string SizePanelText() const;
    std::string LaneLengthsPanelText() const;

    // ---- Files (EditorFiles.cpp)
    // Start-up: reads the stock file at `path` into the stock table and the
    // language. A damaged or unreadable file is reported (in the language
    // just read) and the program goes on with what could be read.
    void LoadStockFile(const std::string& path);
    // Writes the stock and the language; a failure is reported. True when
    // written (or when no stock file was ever chosen).
    bool SaveStockFile();
    void FileNew1Execute();
    void FileOpen1Execute();
    void FileSave1Execute();
    void OpenTemplate1Click();
    // Closing the window: true when it may close.
    bool FormCloseQuery();
    // Replaces the current circuit with the file's, keeping an undo copy of
    // it. A file that cannot be read leaves everything as it was and the
    // reason is shown; false then.
    bool OpenCircuit(const std::string& path);
    // Suggest Circuits' Open: the suggestion replaces the current circuit as
    // Open replaces it (the save question first), under a new untitled name
    // and the suggestion's table as the work area. Unlike Open, Undo brings
    // back the circuit it replaced. False when the user stopped it.
    bool OpenSuggestion(const TCircuit& suggestion);

    // ---- Undo (EditorUndo.cpp)
    // The undo circuit becomes a copy of the current one.
    void KeepCircuit();
    // Undo, and by repetition redo.
    void ToolButton44Click();

    // ---- View (EditorView.cpp)
    void ToolButton11Click();  // Zoom In (button ToolButton10)
    void ToolButton12Click();  // Zoom Out (button ToolButton8)
    void ToolButton57Click();  // Fit to Window
    void ToolButton18Click();  // Grid
    void Reglas1Click();       // Show Rulers
    void ToolButton5Click();   // Show Color Code
    void ToolButton42Click();  // Show Template
    void FormKeyDownAlt6();    // shows or hides the track-surface controls
    // The scroll box changed size: an empty circuit's start point follows
    // the visible part of the work area.
    void FormResize();
    // Where the surface's pieces go for the current scale, rulers and view.
    TSurfaceLayout Layout() const;
    // Status panel 0 over the drawing: "x = 12 cm; y = 34 cm".
    std::string CursorText(int x, int y) const;

    // The work-area resize handle. Move returns the panel 0 text and keeps
    // the outline's size; Up applies the new work area.
    void Image4MouseDown(int x, int y);
    std::optional<std::string> Image4MouseMove(int x, int y);
    void Image4MouseUp(int x, int y);
    bool ResizeDragging() const { return view_.ResizeDragging(); }
    PixelSize DraggedOutline() const { return view_.DraggedOutline(); }

    // The rulers, drawn on canvases of Layout()'s ruler sizes.
    void DrawHorizontalRuler(Canvas& canvas);
    void DrawVerticalRuler(Canvas& canvas);
    // The guides of a drag: erases the old ones and draws them at (x, y),
    // pixels of the drawing.
    void MoveRulerGuides(Canvas& horizontal, Canvas& vertical, int x, int y);
    int32_t GuideX() const { return view_.GuideX(); }

    // The anchor markers' and the start marker's top-left corners (16 x 16
    // pictures centred on their pieces), in pixels of the drawing.
    std::vector<PixelPoint> AnchorMarkers() const;
    std::optional<PixelPoint> StartMarker() const;
    // Draws the whole drawing: the circuit on its work area and the markers.
    // An accessory held by the mouse is left out (the window shows it).
    void Render(Canvas& canvas);

    // ---- Settings (EditorSettings.cpp)
    // The dialog's values for the current circuit and work area.
    TSettingsValues SettingsForDialog();
    // Applies what the dialog returned after OK. True when the language
    // changed, so the window re-applies every text.
    bool ApplySettings(const TSettingsValues& values);
    // The whole command: load, ask, apply. True when the language changed.
    bool WorkingArea1Click();

    // ---- Mouse editing on the drawing (EditorMouse.cpp)
    // A press on Image1 at pixel (x, y). The right button starts measuring;
    // the left and middle ones place an accessory (placement mode), pick one
    // up to drag it, or select tracks: a click selects, a second click on
    // the selected track marks it for replacement, a third reverses the
    // circuit; Shift widens or narrows a range. Ignored while a drag is held.
    TMouseResult Image1MouseDown(TMouseButton button, bool shift, int x, int y);
    // The mouse moved with the button held: true once, when it has gone
    // kDragThreshold pixels from the press and the drag begins.
    bool Image1DragStarts(int x, int y);
    // A move during a started drag: the ruler guides follow (when shown and
    // given), the measuring line is drawn again on `image` in inverting mode,
    // or the held accessory moves, never past the work area. The distance
    // text for panel 0 when the line moved.
    std::optional<std::string> Image1DragOver(int x, int y, Canvas& image, Canvas* horizontalRuler,
                                              Canvas* verticalRuler);
    // The button that pressed went up: ends the drag, erasing the measuring
    // line from `image`. True when the window must refresh (an accessory was
    // held: it goes back into the picture).
    bool Image1MouseUp(TMouseButton button, Canvas& image);
    const TDragState& Drag() const { return view_.Drag(); }
    std::optional<TLiftedIcon> LiftedIcon() const;
    // The picture was rendered again while a line was shown: it is gone.
    void DragPictureRendered() { view_.Drag().lineShown = false; }

    // ---- Editing commands (EditorEditing.cpp)
    // Insert by click: Starting Straight, Standard, Half and Quarter
    // Straight, Changeover Track, Starting Chicane (a pair), Straight
    // Chicane, Adaptation Chicane (a pair).
    void ToolButton22Click();
    void ToolButton24Click();
    void ToolButton25Click();
    void ToolButton26Click();
    void ToolButton27Click();
    void ToolButton28Click();
    void ToolButton45Click();
    void ToolButton34Click();
    // Insert by press and release (the curves and the curved chicane): the
    // mouse button released over the button chooses the turn, left
    // anticlockwise, right clockwise. `over` says the pointer was still on
    // the button.
    void CurveButtonMouseUp(ControlId button, TMouseButton released, bool over);
    // The piece type a press-and-release button inserts, or -1.
    static int CurveButtonType(ControlId button);
    void ToolButton19Click();  // Delete: an accessory, a range, a track or a chicane pair
    void ToolButton52Click();  // Automatic Borders (adds, or removes from a bordered curve)
    void ToolButton40Click();  // Delete Automatic Borders
    void ToolButton54Click();  // Equilibrate Lanes
    // Single racing: adds or removes the loops at both ends. False when the
    // circuit has more than two lanes and nothing was done.
    bool ToolButton59Click();

    // ---- Track attributes and the circuit's position (EditorAttributes.cpp)
    void ToolButton20Click();  // Fix
    void ToolButton36Click();  // Orientation
    // Inner and Outer Border. False when only the circuit's default for new
    // pieces changed: the button shows it, nothing is redrawn.
    bool ToolButton38Click();
    bool ToolButton39Click();
    void ToolButton65Click();  // Delete Inner Borders
    void ToolButton64Click();  // Delete Outer Borders
    void ToolButton60Click();  // Delete all borders
    void ToolButton62Click();  // Crash Barriers
    void ToolButton63Click();  // Delete Crash Barriers
    // Rotate Left and Right, 22.5 degrees, on the buttons ToolButton11 and
    // ToolButton12. (The handlers are named after what they do: the plain
    // button-named handlers ToolButton11Click and ToolButton12Click are the
    // zoom commands.)
    void RotateLeftClick();
    void RotateRightClick();
    void ToolButton15Click();  // Move Up
    void ToolButton14Click();  // Move Down
    void ToolButton16Click();  // Move Left
    void ToolButton17Click();  // Move Right
    void ToolButton43Click();  // Center
    // ---- Clipboard (EditorClipboard.cpp)
    // The clipboard circuit keeps copies of whole pieces without their
    // places, surfaces or marks; pasting puts them after the selection and
    // the chain lays them out. Each command checks its own enabling rule, so
    // a shortcut that arrives before a refresh does nothing it could not.
    void SelectAll1Click();
    // Select None: no track and no accessory selected, no replace mark.
    // Not an edit: nothing to undo, the circuit stays as saved.
    void SelectNone1Click();
    void CopyTrack1Click();
    // Refused with "Wide incompatibility" (237) when the pieces either side
    // of the run would not join once it is gone.
    void CutTrack1Click();
    // Refused with "Wide incompatibility" (237) when the run does not join
    // the pieces around it at their widths, and with "Tracks Limit " (122)
    // when the chain would pass 300 pieces; a refused paste changes nothing.
    void PasteTrack1Click();

    // ---- Accessory icons and track surfaces (EditorIcons.cpp)
    // The Insert Icon menu: the kind's picture goes on ToolButton23 and
    // placement starts (ToolButton23Click).
    void asd1Click();          // controller
    void asd2Click();          // lap counter
    void asd3Click();          // start
    void HelperClick();        // assistant
    void PowerSource1Click();  // power source
    // Deselects every icon and track and turns placement mode on. The
    // window then refreshes, which ends every mode, and turns placement back
    // on with the cross cursor; the next click on the drawing places an icon
    // of IconKindOfImage(IconImage()).
    void ToolButton23Click();
    // The surface shown on ToolButton33 goes to the first selected track.
    void ToolButton33Click();
    // Asphalt, snow, sand, water: to the first selected track; with none
    // selected only ToolButton33 takes the surface's picture.
    void N11Click();
    void N21Click();
    void N31Click();
    void N41Click();

    // ---- Notes (EditorNotes.cpp)
    // The notes live in the current circuit (saved and read with it, kept as
    // written by Undo, cleared by New); the Notes window shows them and
    // hands back every change at once.
    const std::string& Notes() const { return document_.Notes(); }
    // Memo1's text after the user changed it. The circuit is not marked
    // modified.
    void Memo1Change(std::string text);
    // The notes differ from what the file holds (or, for a new circuit, are
    // not empty): the save question is asked for them too, so notes are
    // never dropped without asking.
    bool NotesUnsaved() const { return document_.NotesUnsaved(); }
    // A save question is due: the circuit is modified or its notes unsaved.
    bool HasUnsavedWork() const { return document_.HasUnsavedWork(); }
    // ---- Circuit tools and stock (EditorTools.cpp)
    // The Track List of the current circuit against the stock, in the
    // current language.
    std::vector<std::string> TrackListLines() const;
    // Tracks Stock: shows the stock, and on OK stores every field (or none,
    // when one is not a count) and writes the stock file. True when stored;
    // the window then refreshes, which refreshes the Stock Control too.
    bool Stock1Click();
    // Close...: the options dialog, the search and the appending. One Undo
    // takes back everything it appended; a command that ends up appending
    // nothing (cancelled, refused) leaves the undo copy as it was.
    void Close1Click();
    // The Close Circuit dialog's boxes and tolerance, kept between uses.
    const CloseOptions& CloseOptionsKept() const { return closeOptions_; }
    // Convert...: two lanes more or fewer. A refusal is shown and changes
    // nothing, the undo copy included.
    void Convert1Click();
    // Print...: asks what to print and prints it on the printer.
    void ToolButton53Click(TPrinterDevice& printer);
    // The two kinds of print, without asking. A printer failure is shown.
    bool PrintDrawing(TPrinterDevice& printer);
    bool PrintTrackList(TPrinterDevice& printer);

    // ---- File > Export and the recent files (EditorExport.cpp)
    // The name the export dialog offers: the circuit's title with the
    // format's extension.
    std::string ExportSuggestion(ExportKind kind) const;
    // Asks for a name and writes the drawing (PNG, SVG: the work area as
    // shown; PDF: the printed page) or, for Csv, the bill of materials of
    // the current circuit against the stock. The file is written whole or
    // not at all; a failure is shown. True when written.
    bool ExportClick(ExportKind kind, TPictureMaker& pictures);
    // Where the recent list is kept (by default for this run only). The
    // store must outlive the editor.
    void SetRecentStore(TRecentStore& store) { recentStore_ = &store; }
    TRecentFiles RecentFiles() const { return TRecentFiles(recentStore_->Load()); }
    // A circuit was opened or saved under `path`: it goes to the list's top.
    void NoteRecentFile(const std::string& path);
    void ClearRecentFiles();
    // A recent file chosen in the menu: the save question and the error
    // handling of Open, without the open dialog (so declining the save
    // dialog stops, where Open would still show its dialog).
    void OpenRecentClick(const std::string& path);

    // ---- Crash recovery (EditorRecovery.cpp)
    // The file the circuit was last opened from or saved to; empty for a new
    // one.
    const std::string& CurrentPath() const { return document_.Path(); }
    // The circuit as Save would write it, for the recovery copy.
    TRecoverySnapshot RecoverySnapshot() const;
    // The window's recovery timer ran out: the copy follows the editor. A
    // copy that cannot be written is said once a session, so the user knows
    // a crash would lose the unsaved work; the editing goes on.
    void RecoveryExpired(TRecovery& recovery);
    // Start-up: offers each copy left by a session that did not end cleanly,
    // newest first. Yes restores it and ends the questions; No discards it.
    // True when one was restored.
    bool OfferRecovery(TRecovery& recovery);
    // Reads a copy whole, as Open reads a file, and makes it the current
    // circuit: modified (it was never saved), under its title and file name.
    // A copy that cannot be read is reported and nothing changes.
    bool RestoreRecovery(const TRecoveryCopy& copy);

private:
    // The save question before a circuit replaces the current one (Open,
    // a recent file): false when the user stops there. `dialogFollows`: the
    // open dialog comes next, so a declined save dialog goes on to it.
    bool ReadyToReplace(bool dialogFollows);
    // Makes a circuit just read the current one, with its template, as
    // belonging to the file at `path`, and takes the undo copy of it.
    void Adopt(TCircuit&& loaded, const TTemplateAction& templateAction, std::string path, bool modified);
    // Writes an exported file; a failure is shown.
    bool WriteExport(const std::string& path, std::string_view bytes);
    // Saves to a name the user chose; a failure is shown and leaves the
    // circuit modified. True on success.
    bool SaveTo(const std::string& path);
    // Asks for a name and saves; false when cancelled or failed.
    bool AskAndSave();
    void ShowRulersFromCircuit();
    void ZoomTo(double scale);
    void CentreEmptyCircuit();
    void RaiseScaleToMinimum();

    // ---- Mouse and editing helpers (EditorMouse.cpp, EditorEditing.cpp,
    // EditorAttributes.cpp)
    void PlaceIcon(int x, int y);
    bool PickUpIcon(int x, int y);
    TMouseResult ClickTrack(bool shift, int x, int y);
    void WidenToWholeChicanes(int& first, int& last) const;
    // Turns the direction of travel round: the chain in reverse order, each
    // piece turned about. The single-racing command keeps the half borders
    // where they are.
    void ReverseCircuit(bool swapHalfBorders);
    // The lowest track with its selected flag, 0 when none.
    int FirstFlaggedTrack() const;
    // The selection becomes the last track with its selected flag, or none.
    void SelectLastFlagged();
    // Inserts pieces of one type after the selection, one per orientation.
    void InsertTracks(int type, std::initializer_list<int> orientations);
    // Borders changed on tracks first..last: their strips and the box follow.
    void BordersChanged(int first, int last);
    // Move Up, Down, Left and Right.
    void MoveTowards(TCircuit::Edge edge);
    // With no track selected the border buttons show the defaults for new
    // pieces (after New and Open too, not the last track clicked).
    void ShowBorderDefaults();
    // Clipboard, icons, surfaces.
    void SetFirstSelectedSurface(uint8_t surface);
    void ChooseSurface(uint8_t surface, int image);
    void ChooseIcon(int image);

    TPrompter& prompter_;
    TEditorHost& host_;
    TTemplatePicture& template_;

    TDocument document_;
    TUndoHistory history_;
    // The file and notes the undo state belongs to, while they are not the
    // current ones: only after a suggestion took a file's circuit's place.
    std::optional<TDocument::TFileState> undoFile_;
    TViewState view_;

    TCircuit clipboard_;
    TTrackList stock_;
    std::optional<TStockFile> stockFile_;
    bool recoveryWarned_ = false;
    int newCounter_ = 0;
    // The Close Circuit dialog's options, kept between uses.
    CloseOptions closeOptions_;

    // The controls as the last refresh left them, and the pictures the two
    // drop-down buttons show.
    TControlStates controls_ = StartControlStates();
    int iconImage_ = kImageLapCounter;
    int surfaceImage_ = kImageAsphalt;

    TMemoryRecentStore ownRecentStore_;
    TRecentStore* recentStore_ = &ownRecentStore_;
};

}  // namespace quillet
