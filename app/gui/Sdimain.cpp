#include "app/gui/Sdimain.h"
#include "app/gui/WindowPlaces.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "app/Projection.h"
#include "app/gui/About.h"
#include "app/gui/Alert.h"
#include "app/gui/DrawingSurface.h"
#include "app/gui/MainControls.h"
#include "app/gui/Mnemonics.h"
#include "app/gui/QtTranslations.h"
#include "app/gui/RecentStore.h"
#include "app/gui/Unit15.h"
#include "app/gui/pictures/ToolbarPictures.h"
#include "render/PainterCanvas.h"
#include "render/PictureExport.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "tools/gui/Notes.h"
#include "tools/gui/area.h"
#include "widgets/Information.h"

namespace quillet {

namespace {

constexpr int kPanelWidths[4] = {250, 100, 80, 70};
// The window never gets narrower than this, nor than its status panels need.
constexpr int kLeastWindowWidth = 452;

QString Name(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

QIcon PictureIcon(std::u16string_view name) {
    if (name.empty()) return {};
    return ToolbarPicture(QStringView(name.data(), static_cast<qsizetype>(name.size())));
}

// A tool button showing its command's action, with a hint of its own: the
// texts give a button and its menu item different hints, and the action
// would give the button the item's hint at every change of its state.
class TCommandButton final : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void actionEvent(QActionEvent* event) override {
        const QString toolTip = this->toolTip();
        const QString statusTip = this->statusTip();
        QToolButton::actionEvent(event);
        if (event->type() == QEvent::ActionChanged && event->action() == defaultAction()) {
            setToolTip(toolTip);
            setStatusTip(statusTip);
        }
    }
};

}  // namespace

TSDIAppForm::TSDIAppForm(TPrompter* prompter, QWidget* parent, const TDialogsWrapper& wrapDialogs)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("TSDIAppForm"));
    setWindowIcon(WindowIcon());
    setMinimumSize(kLeastWindowWidth, 300);

    m_form9 = new TForm9(this);
    m_form7 = new TForm7(this);
    m_form15 = new TForm15(this);
    m_form2 = new TForm2(this);
    m_about = new TAboutBox(this);
    m_form11 = new TForm11(this);
    m_openDialog = new QFileDialog(this);
    m_openDialog->setObjectName(QStringLiteral("OpenDialog"));
    m_saveDialog = new QFileDialog(this);
    m_saveDialog->setObjectName(QStringLiteral("SaveDialog"));
    m_templateDialog = new QFileDialog(this);
    m_templateDialog->setObjectName(QStringLiteral("TemplateDialog"));
    m_exportDialog = new QFileDialog(this);
    m_exportDialog->setObjectName(QStringLiteral("ExportDialog"));
    m_tools.Create(this);
    m_tools.refresh = [this] { FormActualize(); };
    const TMainDialogs dialogs{this,         m_form9,      m_form7,          m_form15,       m_form2,
                               m_openDialog, m_saveDialog, m_templateDialog, m_exportDialog, &m_tools};
    PrepareFileDialogs(dialogs);
    if (prompter == nullptr) {
        m_ownPrompter = std::make_unique<TDialogPrompter>(dialogs);
        prompter = m_ownPrompter.get();
        if (wrapDialogs) m_wrappedPrompter = wrapDialogs(*m_ownPrompter);
        if (m_wrappedPrompter) prompter = m_wrappedPrompter.get();
    }
    m_host = std::make_unique<TDialogHost>(m_tools);
    TTemplatePicture& templatePicture = *this;
    m_editor = std::make_unique<TEditor>(*prompter, *m_host, templatePicture);

    m_surface = new TDrawingSurface(this);
    setCentralWidget(m_surface);
    BuildControls();
    BuildStatusBar();

    connect(m_surface->Image1(), &TImageView::MouseMove, this, &TSDIAppForm::Image1MouseMove);
    connect(m_surface->Image4(), &TImageView::MouseDown, this, &TSDIAppForm::Image4MouseDown);
    connect(m_surface->Image4(), &TImageView::MouseMove, this, &TSDIAppForm::Image4MouseMove);
    connect(m_surface->Image4(), &TImageView::MouseUp, this, &TSDIAppForm::Image4MouseUp);
    connect(m_surface, &TDrawingSurface::Resized, this, &TSDIAppForm::ScrollBox1Resize);
    connect(m_surface, &TDrawingSurface::MouseOver, this, [this] {
        ShowInPanel(1, QStr(m_editor->Panel1Text()));
        ReleaseCurveButtons();
    });
    ConnectEditing();
    connect(m_form11, &TForm11::NotesEdited, this, [this](const QString& text) {
        m_editor->Memo1Change(StdStr(text));
        NoticeChanges();
    });
    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setSingleShot(true);
    connect(m_recoveryTimer, &QTimer::timeout, this, &TSDIAppForm::RecoveryTimeout);
    // The recent files are shown as they are when the menu opens.
    connect(m_menus[static_cast<std::size_t>(MenuId::File)], &QMenu::aboutToShow, this, &TSDIAppForm::FillRecentMenu);
}

TSDIAppForm::~TSDIAppForm() = default;

// ---------------------------------------------------------------------------
// Building

void TSDIAppForm::BuildControls() {
    m_toolBar1 = addToolBar(QString());
    m_toolBar1->setObjectName(QStringLiteral("ToolBar1"));
    addToolBarBreak();
    m_toolBar2 = addToolBar(QString());
    m_toolBar2->setObjectName(QStringLiteral("ToolBar2"));
    for (QToolBar* bar : {m_toolBar1, m_toolBar2}) {
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setIconSize(QSize(16, 16));
        bar->toggleViewAction()->setVisible(false);
    }
    for (const TMenuDef& m : MainMenus()) {
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(Name(m.name));
        m_menus[static_cast<std::size_t>(m.id)] = menu;
    }
    auto* icons = new QMenu(this);
    icons->setObjectName(QStringLiteral("PopupMenu1"));
    m_menus[static_cast<std::size_t>(MenuId::Icons)] = icons;
    auto* surfaces = new QMenu(this);
    surfaces->setObjectName(QStringLiteral("PopupMenu2"));
    m_menus[static_cast<std::size_t>(MenuId::Surfaces)] = surfaces;

    for (const TCommandDef& def : Commands()) m_actions[static_cast<std::size_t>(def.id)] = MakeAction(def);
    for (const TControlDef& place : MainControls()) {
        if (place.toolbar != 0) {
            QToolBar* bar = place.toolbar == 1 ? m_toolBar1 : m_toolBar2;
            if (place.kind == ControlKind::Gap) {
                bar->addSeparator();
            } else if (place.kind == ControlKind::Separator) {
                QAction* separator = bar->addSeparator();
                separator->setObjectName(Name(ControlName(place.id)));
                m_controls[Slot(place.id)] = {separator, nullptr, separator};
            } else {
                const TCommandDef& def = CommandDef(*CommandOf(place.id));
                QToolButton* button = MakeButton(def, bar);
                m_controls[Slot(place.id)] = {CommandAction(def.id), button, bar->addWidget(button)};
            }
            continue;
        }
        QMenu* menu = m_menus[static_cast<std::size_t>(place.menu)];
        if (place.kind == ControlKind::Gap) {
            menu->addSeparator();
            continue;
        }
        QAction* action = CommandAction(*CommandOf(place.id));
        menu->addAction(action);
        m_controls[Slot(place.id)].action = action;
    }
    BuildKeys();
}

QAction* TSDIAppForm::MakeAction(const TCommandDef& def) {
    if (def.subMenu) {
        // The window fills it; its menu action is the command's.
        m_recentMenu = new QMenu(this);
        m_recentMenu->setObjectName(Name(ControlName(def.item)) + QStringLiteral("Menu"));
        m_recentMenu->setIcon(PictureIcon(def.picture));
        m_recentMenu->menuAction()->setObjectName(Name(ControlName(def.item)));
        return m_recentMenu->menuAction();
    }
    auto* action = new QAction(PictureIcon(def.picture), QString(), this);
    // Named as its menu item; a command with a button only leaves the name
    // to the button.
    if (def.item != kNoControl) action->setObjectName(Name(ControlName(def.item)));
    action->setCheckable(def.checked != nullptr);
    if (!def.shortcut.empty()) action->setShortcut(QKeySequence(Name(def.shortcut)));
    connect(action, &QAction::triggered, this, [this, id = def.id] { Run(id); });
    return action;
}

QToolButton* TSDIAppForm::MakeButton(const TCommandDef& def, QToolBar* bar) {
    auto* button = new TCommandButton(bar);
    button->setObjectName(Name(ControlName(def.button)));
    button->setAutoRaise(true);
    button->setDefaultAction(CommandAction(def.id));
    if (def.buttonStyle == ButtonStyle::DropDown) {
        button->setPopupMode(QToolButton::MenuButtonPopup);
        button->setMenu(m_menus[static_cast<std::size_t>(def.popup)]);
    }
    return button;
}

void TSDIAppForm::BuildKeys() {
    // F10 opens the first menu, as on other desktops; Qt's menu bar does not
    // do it by itself everywhere.
    auto* menuKey = new QAction(this);
    menuKey->setObjectName(QStringLiteral("MenuBarKey"));
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    connect(menuKey, &QAction::triggered, this, [this] {
        for (QAction* a : menuBar()->actions()) {
            if (a->isVisible() && a->isEnabled()) {
                menuBar()->setFocus(Qt::ShortcutFocusReason);
                menuBar()->setActiveAction(a);
                return;
            }
        }
    });
    addAction(menuKey);
    // Delete alone does what Ctrl+Del does, except in a text field, which
    // keeps the key for its own text.
    auto* deleteKey = new QAction(this);
    deleteKey->setObjectName(QStringLiteral("DeleteKey"));
    deleteKey->setShortcut(QKeySequence(Qt::Key_Delete));
    connect(deleteKey, &QAction::triggered, this, [this] {
        QWidget* focus = QApplication::focusWidget();
        if (qobject_cast<QLineEdit*>(focus) != nullptr || qobject_cast<QTextEdit*>(focus) != nullptr ||
            qobject_cast<QPlainTextEdit*>(focus) != nullptr || qobject_cast<QAbstractSpinBox*>(focus) != nullptr) {
            return;
        }
        QAction* del = Action(ControlId::Delete1);
        if (del->isVisible() && del->isEnabled()) del->trigger();
    });
    addAction(deleteKey);
}

void TSDIAppForm::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(true);
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        // The panels keep their widths but grow for a longer text (eight
        // lane lengths, say); the last one takes what is left.
        panel->setMinimumWidth(kPanelWidths[i]);
        bar->addWidget(panel, i + 1 == m_panels.size() ? 1 : 0);
        m_panels[i] = panel;
    }
}

void TSDIAppForm::ShowInPanel(std::size_t index, const QString& text) {
    m_panels[index]->setText(text);
    FitPanel(index);
}

void TSDIAppForm::FitPanel(std::size_t index) {
    // A set minimum width overrides the label's own, so a text longer than
    // the panel's usual width would be cut when the window is narrow: the
    // minimum follows the text (frame and indent included).
    QLabel* panel = m_panels[index];
    panel->setMinimumWidth(std::max(kPanelWidths[index], panel->minimumSizeHint().width()));
    // The panels side by side set the least width of the window too: a
    // narrower window would push the last one past its right edge.
    statusBar()->layout()->invalidate();
    setMinimumWidth(std::max(kLeastWindowWidth, statusBar()->minimumSizeHint().width()));
}

// ---------------------------------------------------------------------------
// Texts

QObject* TSDIAppForm::TextTarget(const QString& name) const {
    // The About action serves its menu item.
    if (name == QLatin1String("HelpAbout1")) return Action(ControlId::HelpAboutItem);
    if (const auto id = ControlByName(StdStr(name))) {
        const ControlWidgets& w = m_controls[Slot(*id)];
        if (w.button != nullptr) return w.button;
        return w.action;
    }
    for (QMenu* m : m_menus) {
        if (m != nullptr && m->objectName() == name) return m;
    }
    return nullptr;
}

void TSDIAppForm::ApplyLanguage() {
    m_form9->ApplyLanguage();
    m_form2->ApplyLanguage();
    m_about->ApplyLanguage();
    m_form11->ApplyLanguage();
    m_tools.ApplyLanguage();
    ApplyWindowTexts(this, "TSDIAppForm", [this](const QString& name) { return TextTarget(name); });
    // The texts the numbered table leaves to the commands.
    for (const TCommandDef& def : Commands()) {
        QAction* action = CommandAction(def.id);
        if (def.caption) action->setText(CaptionText(Text(*def.caption)));
        if (!def.hint) continue;
        if (def.item != kNoControl) SetHint(action, Text(*def.hint));
        if (def.button != kNoControl) SetHint(Button(def.button), Text(*def.hint));
    }
    m_templateDialog->setNameFilters(TemplateFilters());
    FillRecentMenu();
    // Every menu and item gets a letter of its own in this language.
    AssignMnemonics(menuBar());
    AssignMnemonics(m_menus[static_cast<std::size_t>(MenuId::Icons)]);
    AssignMnemonics(m_menus[static_cast<std::size_t>(MenuId::Surfaces)]);
    // Qt's own dialogs and buttons follow the language too.
    UseQtTranslations(LanguageIndex());
    setWindowTitle(QStr("Quillet - " + m_editor->Circuit().title));
    // The panels' texts change language at the next refresh; until then
    // they keep the room their present texts need.
    for (std::size_t i = 0; i < m_panels.size(); ++i) FitPanel(i);
}

// ---------------------------------------------------------------------------
// The refresh

const QImage& TSDIAppForm::Drawing() const { return m_surface->Image1()->Image(); }

bool TSDIAppForm::IsShown(ControlId id) const {
    const ControlWidgets& w = m_controls[Slot(id)];
    if (w.place != nullptr) return w.place->isVisible();
    return w.action != nullptr && w.action->isVisible();
}

void TSDIAppForm::ApplyControlStates(const TCommandStates& commands, const TControlStates& controls, int iconImage,
                                     int surfaceImage) {
    for (const TCommandDef& def : Commands()) {
        QAction* action = CommandAction(def.id);
        action->setEnabled(commands[def.id].enabled);
        if (action->isCheckable()) action->setChecked(commands[def.id].checked);
        // A menu item shows with its action; a tool button with its place in
        // the toolbar, so the two may differ.
        if (def.item != kNoControl) action->setVisible(controls.visible[def.item]);
        if (def.button == kNoControl) continue;
        const ControlWidgets& w = m_controls[Slot(def.button)];
        w.place->setVisible(controls.visible[def.button]);
        // A hidden place disables its widget; the button still runs its
        // command when asked (a test script's "do ToolButton6").
        w.button->setEnabled(commands[def.id].enabled);
    }
    for (const TControlDef& place : MainControls()) {
        if (place.kind != ControlKind::Separator) continue;
        QAction* separator = m_controls[Slot(place.id)].action;
        separator->setEnabled(controls.enabled[place.id]);
        separator->setVisible(controls.visible[place.id]);
    }
    CommandAction(CommandId::InsertIcon)->setIcon(PictureIcon(PictureOfImageIndex(iconImage)));
    CommandAction(CommandId::Surface)->setIcon(PictureIcon(PictureOfImageIndex(surfaceImage)));
}

void TSDIAppForm::ShowControls() {
    const TCommandStates commands = ProjectCommands(*m_editor);
    ApplyControlStates(commands, ProjectControls(*m_editor, commands), m_editor->IconImage(), m_editor->SurfaceImage());
}

void TSDIAppForm::FormActualize() {
    // Rendering can process events (fonts, first paint); never refresh inside
    // a refresh.
    if (m_refreshing) return;
    m_refreshing = true;
    m_editor->SetViewport(m_surface->Viewport());
    const TWindowState s = m_editor->FormActualize();
    m_surface->Image1()->unsetCursor();
    setWindowTitle(QStr(s.caption));
    RefreshStockControl();
    ShowInPanel(1, QStr(s.panel1));
    ShowInPanel(2, QStr(s.panel2));
    ShowInPanel(3, QStr(s.panel3));
    ApplyControlStates(s.commands, s.controls, s.iconImage, s.surfaceImage);

    QImage drawing(std::max(s.layout.image.width, 1), std::max(s.layout.image.height, 1), QImage::Format_RGB32);
    {
        PainterCanvas canvas(&drawing, m_pictures);
        m_editor->Render(canvas);
    }
    m_surface->Image1()->SetImage(std::move(drawing));
    PictureRendered();
    m_surface->Place(s.layout);
    if (s.rulersShown) RedrawRulers();
    if (s.scrollTo) m_surface->ScrollTo(s.scrollTo->x, s.scrollTo->y);
    // New and Open replace the notes with the circuit.
    m_form11->ShowNotes(m_editor->Notes());
    m_refreshing = false;
    NoticeChanges();
}

void TSDIAppForm::RedrawRulers() {
    const TSurfaceLayout l = m_editor->Layout();
    if (l.horizontalRuler.empty()) return;
    QImage h(l.horizontalRuler.width, l.horizontalRuler.height, QImage::Format_RGB32);
    QImage v(l.verticalRuler.width, std::max(l.verticalRuler.height, 1), QImage::Format_RGB32);
    {
        PainterCanvas hc(&h, m_pictures);
        m_editor->DrawHorizontalRuler(hc);
        PainterCanvas vc(&v, m_pictures);
        m_editor->DrawVerticalRuler(vc);
    }
    m_surface->Image2()->SetImage(std::move(h));
    m_surface->Image3()->SetImage(std::move(v));
    m_surface->Place(l);
}

void TSDIAppForm::Run(CommandId id) {
    const TCommandRun& run = CommandDef(id).run;
    switch (run.kind) {
        case RunKind::None:
            return;
        case RunKind::Editor:
            (m_editor.get()->*run.method)();
            FormActualize();
            return;
        case RunKind::EditorOrShow:
            if ((m_editor.get()->*run.showingMethod)()) {
                FormActualize();
            } else {
                ShowControls();
            }
            return;
        case RunKind::Placement:
            (m_editor.get()->*run.method)();
            StartIconPlacement();
            return;
        case RunKind::Window:
            if (const WindowHandler handler = WindowHandlerOf(id)) (this->*handler)();
            return;
    }
}

// ---------------------------------------------------------------------------
// Template picture

bool TSDIAppForm::Load(const std::string& path) { return m_pictures.loadTemplate(QStr(path)); }
void TSDIAppForm::Clear() { m_pictures.clearTemplate(); }

// ---------------------------------------------------------------------------
// Handlers

void TSDIAppForm::FileExit1Execute() { close(); }

void TSDIAppForm::HelpAbout1Execute() { m_about->exec(); }

void TSDIAppForm::ToolButton57Click() {
    m_editor->SetViewport(m_surface->Viewport());
    m_editor->ToolButton57Click();
    FormActualize();
}

void TSDIAppForm::ToolButton56Click() {
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->setImage(Drawing());
}

void TSDIAppForm::WorkingArea1Click() {
    if (m_editor->WorkingArea1Click()) ApplyLanguage();
    FormActualize();
}

void TSDIAppForm::OpenAtStart(const QString& path) {
    m_editor->OpenCircuit(StdStr(path));
    FormActualize();
}

bool TSDIAppForm::RunCommand(const QString& objectName) {
    const auto id = ControlByName(StdStr(objectName));
    if (!id) return false;
    if (QToolButton* button = Button(*id)) {
        if (!button->isEnabled()) return false;
        button->click();
        return true;
    }
    QAction* action = Action(*id);
    if (action == nullptr || !action->isEnabled()) return false;
    action->trigger();
    return true;
}

// ---------------------------------------------------------------------------
// File > Export

bool TSDIAppForm::MakePicture(ExportKind kind, std::string& bytes) {
    QByteArray data;
    bool made = false;
    switch (kind) {
        case ExportKind::Png:
            made = RenderWorkArea(PictureFormat::Png, *m_editor, m_pictures, data);
            break;
        case ExportKind::Svg:
            made = RenderWorkArea(PictureFormat::Svg, *m_editor, m_pictures, data);
            break;
        case ExportKind::Pdf: {
            const int32_t length = m_editor->WorkAreaLength();
            const int32_t width = m_editor->WorkAreaWidth();
            made = RenderPrintPage(PictureFormat::Pdf, m_editor->Circuit(), length, width,
                                   PageOrientationFor(length, width), m_pictures, data);
            break;
        }
        case ExportKind::Csv:
            break;
    }
    if (made) bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return made;
}

void TSDIAppForm::ExportPng1Click() { m_editor->ExportClick(ExportKind::Png, *this); }
void TSDIAppForm::ExportSvg1Click() { m_editor->ExportClick(ExportKind::Svg, *this); }
void TSDIAppForm::ExportPdf1Click() { m_editor->ExportClick(ExportKind::Pdf, *this); }
void TSDIAppForm::ExportCsv1Click() { m_editor->ExportClick(ExportKind::Csv, *this); }

// ---------------------------------------------------------------------------
// Recent files

void TSDIAppForm::UseRecentFiles(const QString& settingsFile) {
    m_recentStore = std::make_unique<TSettingsRecentStore>(settingsFile);
    m_editor->SetRecentStore(*m_recentStore);
    FormActualize();
    FillRecentMenu();
}

void TSDIAppForm::FillRecentMenu() {
    m_recentMenu->clear();
    const std::vector<std::string> shown = m_editor->RecentFiles().Shown();
    const std::vector<std::string> texts = TRecentFiles::MenuTexts(shown);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QString path = QStr(shown[i]);
        QAction* entry = m_recentMenu->addAction(QStr(texts[i]));
        entry->setStatusTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    if (!shown.empty()) {
        m_recentMenu->addSeparator();
        QAction* clear = m_recentMenu->addAction(CaptionText(Text(XText::RecentFilesClear)));
        connect(clear, &QAction::triggered, this, [this] {
            m_editor->ClearRecentFiles();
            FormActualize();
        });
    }
    m_recentMenu->menuAction()->setEnabled(!shown.empty());
    AssignMnemonics(m_recentMenu);
}

void TSDIAppForm::OpenRecent(const QString& path) {
    m_editor->OpenRecentClick(StdStr(path));
    FormActualize();
}

// ---------------------------------------------------------------------------
// Crash recovery

void TSDIAppForm::UseRecovery(const QString& folder) {
    QDir().mkpath(folder);
    m_recovery = std::make_unique<TRecovery>(StdStr(folder));
}

bool TSDIAppForm::OfferRecovery() {
    if (!m_recovery) return false;
    const bool restored = m_editor->OfferRecovery(*m_recovery);
    FormActualize();
    return restored;
}

void TSDIAppForm::NoticeChanges() {
    if (!m_recovery) return;
    if (m_recovery->Noticed(m_editor->HasUnsavedWork())) {
        m_recoveryTimer->start(TRecovery::kDelayMs);
    } else if (!m_editor->HasUnsavedWork()) {
        m_recoveryTimer->stop();
    }
}

void TSDIAppForm::RecoveryTimeout() {
    if (!m_recovery) return;
    m_editor->RecoveryExpired(*m_recovery);
}

// ---------------------------------------------------------------------------
// Accessory icons and notes

void TSDIAppForm::StartIconPlacement() {
    // The refresh shows the deselection and ends every mode; placement then
    // starts, and lasts until the next refresh (the placing click's).
    FormActualize();
    m_editor->SetPlacementMode(true);
    m_surface->Image1()->setCursor(Qt::CrossCursor);
}

void TSDIAppForm::ToolButton55Click() {
    if (!m_form11->isVisible()) {
        m_form11->ShowNotes(m_editor->Notes());
        // The first time: inside the main window's right edge, under the
        // toolbars; later wherever the user left it.
        if (!m_notesPlaced) {
            const QRect area = geometry();
            const int x = std::max(area.left(), area.right() - m_form11->width() - 24);
            const int y = area.top() + (centralWidget() != nullptr ? centralWidget()->y() : 0) + 24;
            m_form11->move(x, y);
            m_notesPlaced = true;
        }
    }
    m_form11->show();
    m_form11->raise();
    m_form11->activateWindow();
}

// ---------------------------------------------------------------------------
// Mouse and window events

void TSDIAppForm::Image1MouseMove(QMouseEvent* event) {
    ReleaseCurveButtons();
    if (Image1DragMove(event)) return;
    const QPoint p = event->position().toPoint();
    ShowInPanel(0, QStr(m_editor->CursorText(p.x(), p.y())));
}

void TSDIAppForm::Image4MouseDown(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    m_editor->Image4MouseDown(p.x(), p.y());
    m_surface->Shape1()->SetPenVisible(true);
}

void TSDIAppForm::Image4MouseMove(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (const auto text = m_editor->Image4MouseMove(p.x(), p.y())) {
        ShowInPanel(0, QStr(*text));
        m_surface->SetOutlineSize(m_editor->DraggedOutline());
    }
}

void TSDIAppForm::Image4MouseUp(QMouseEvent* event) {
    if (!m_editor->ResizeDragging()) return;
    const QPoint p = event->position().toPoint();
    m_panels[0]->clear();
    m_surface->Shape1()->SetPenVisible(false);
    m_editor->Image4MouseUp(p.x(), p.y());
    FormActualize();
}

void TSDIAppForm::ScrollBox1Resize() {
    m_editor->SetViewport(m_surface->Viewport());
    m_editor->FormResize();
    m_surface->Place(m_editor->Layout());
    if (m_editor->RulersVisible()) RedrawRulers();
}

bool TSDIAppForm::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::StatusTip:
            // The long part of a hint goes to the first panel.
            m_panels[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
            return true;
        case QEvent::WindowActivate: {
            // Coming back to the window (the Insert Icon menu closing, a tool
            // window left) must not cancel the accessory about to be placed.
            const bool placing = m_editor->PlacementMode();
            FormActualize();
            if (placing) {
                m_editor->SetPlacementMode(true);
                m_surface->Image1()->setCursor(Qt::CrossCursor);
            }
            break;
        }
        default:
            break;
    }
    return QMainWindow::event(event);
}

void TSDIAppForm::closeEvent(QCloseEvent* event) {
    if (m_editor->FormCloseQuery()) {
        // A clean end: the work was saved or the user let it go.
        m_recoveryTimer->stop();
        if (m_recovery) m_recovery->Remove();
        event->accept();
    } else {
        event->ignore();
    }
}

void TSDIAppForm::keyPressEvent(QKeyEvent* event) {
    // Alt+6 shows or hides the track-surface button and the lap-times item.
    if (event->key() == Qt::Key_6 && event->modifiers() == Qt::AltModifier) {
        m_editor->FormKeyDownAlt6();
        ShowControls();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

}  // namespace quillet
