#pragma once

#include <memory>

#include <QWidget>

#include "app/ConfigurationHost.h"
#include "app/MainLayout.h"
#include "app/PrintDiagram.h"
#include "app/PanelOptions.h"
#include "diagram/DiagramOptions.h"

class Configuration;
class FileBrowser;
class FileListMenu;
class HintTracker;
class MainBrowserHost;
class MessagePresenter;
class TBigGonioWin;
class ShownFile;

// The main window: the folder tree over the diagram panel on the left, the
// file list beside the options panel over the information panel on the right.
// It reads the configuration while it is created and writes it when closed.
class TMainWindow : public QWidget, public ConfigurationHost {
    Q_OBJECT
public:
    static constexpr int kMinHeight = 300;
    // Room left for a title bar while the frame is not known yet.
    static constexpr int kTitleBarAllowance = 40;

    // Creating the window is its start-up (FormCreate); `messages` shows its
    // messages; the browser writes `shown` and the diagram panel follows it.
    TMainWindow(Configuration& config, MessagePresenter& messages, ShownFile& shown, QWidget* parent = nullptr);
    ~TMainWindow() override;

    [[nodiscard]] const MainLayout& areas() const { return ui_; }
    // The folder tree and the file list working together.
    [[nodiscard]] FileBrowser& browser() const { return *browser_; }
    // The file list's context menu.
    [[nodiscard]] FileListMenu& listMenu() const { return *listMenu_; }
    [[nodiscard]] bool configurationReadFailed() const { return readFailed_; }
    [[nodiscard]] const QString& storedPath() const { return storedPath_; }
    // A file or folder named on the command line (an absolute path), opened
    // instead of the stored folder when the window is first shown.
    void setStartPath(const QString& path) { startPath_ = path; }
    // The window that shell work may use for its messages: none while "Show IO messages" is off.
    [[nodiscard]] QWidget* ShellOwnerWindow() const { return shellOwner_; }

    // The diagram settings as the tool bar and the options panel hold them.
    [[nodiscard]] DiagramOptions diagramOptions() const;

    // The compare window that "Show Compare Window" shows; none until handed over.
    void setCompareWindow(TBigGonioWin* window);
    // Replaces the print dialog, for tests.
    void setPrintDialogRunner(PrintDialogRunner runner) { printDialog_ = std::move(runner); }

    // Reports a failed configuration write once; run when the window is destroyed,
    // after the other windows wrote their settings.
    void FormDestroy();

    void DisplayHint(const QString& hint);
    void ShowPathInTitle();
    void ShowOptionsPanelClick();
    void FormMouseMove(QWidget* over, QMouseEvent* event);
    // The information panel's splitter, as a drag to `height` would leave it.
    [[nodiscard]] static int Splitter2CanResize(int height);
    // The column splitter: refuses a left column under the right area's minimum
    // width, or equal to the last accepted one.
    [[nodiscard]] std::optional<int> SplitterCanResize(int width);

    // ConfigurationHost
    void setStoredPath(const QString& path) override { storedPath_ = path; }
    [[nodiscard]] QString folderDisplayPath() const override;
    void setNormalWidth(int width) override;
    void setNormalHeight(int height) override;
    [[nodiscard]] QSize normalSize() const override;
    [[nodiscard]] QSize screenSize() const override;
    void setNormalLeft(int left) override;
    void setNormalTop(int top) override;
    [[nodiscard]] QPoint normalPosition() const override;
    void setOrtho(bool down) override;
    [[nodiscard]] bool ortho() const override;
    void setFit(bool down) override;
    [[nodiscard]] bool fit() const override;
    void setWindowStateCode(int code) override;
    [[nodiscard]] int windowStateCode() const override;
    void restoreNormalState() override;
    void setTreeHeight(int height) override;
    [[nodiscard]] int treeHeight() const override;
    void setColumnWidth(int width) override;
    [[nodiscard]] int columnWidth() const override;
    void setInfoHeight(int height) override;
    [[nodiscard]] int infoHeight() const override;
    void setPanelVisible(bool visible) override;
    [[nodiscard]] bool panelVisible() const override;
    [[nodiscard]] QSlider* trackBarK() const override;
    [[nodiscard]] QSlider* trackBarR() const override;
    [[nodiscard]] QList<TGroupBoxEx*> optionGroupBoxes() const override;
    void addFavorite(const QString& path, int viewByte) override;
    [[nodiscard]] QStringList CollectFavorites() override;
    [[nodiscard]] DetailsLayout detailsLayout() const override;
    void setDetailsLayout(const DetailsLayout& layout) override;

public slots:
    // The compare window takes a copy of the shown record and plane; shown first if hidden.
    void ShowCompareWindow();
    // The Print button: the print dialog, then the page on the printer chosen.
    void SpeedButtonPrintClick();

signals:
    // The stored folder to walk to when first shown (empty: the root).
    void navigateRequested(const QString& displayPath);
    // A diagram option changed; the diagram is redrawn.
    void diagramOptionsChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void connectControls();
    void setStartHints();
    void applyPendingSizes();
    [[nodiscard]] QRect availableArea() const;
    [[nodiscard]] QSize frameExtent() const;
    [[nodiscard]] int frameHeightAllowance() const;
    // Once the frame is known: the window, frame and all, inside the free desktop area.
    void keepOnScreen();
    bool wheelStepsSlider(QWheelEvent* event);

    Configuration& config_;
    MessagePresenter& messages_;
    ShownFile& shownFile_;
    // The host outlives the browser, which is gone before the widgets it placed.
    std::unique_ptr<MainBrowserHost> browserHost_;
    std::unique_ptr<FileBrowser> browser_;
    std::unique_ptr<FileListMenu> listMenu_;
    MainLayout ui_;
    // Not a child: it must stop hearing focus and hint events before the children go.
    std::unique_ptr<HintTracker> hints_;
    TBigGonioWin* compare_ = nullptr;
    PrintDialogRunner printDialog_ = RunPrintDialog;
    DiagramChoices diagramChoices_;
    QString storedPath_;
    QString startPath_;
    QWidget* shellOwner_ = nullptr;
    bool readFailed_ = false;
    bool shown_ = false;
    bool hintTitleShown_ = false;
    bool writeReported_ = false;
    bool closed_ = false;
    bool frameFitted_ = false;
    int pendingTree_ = -1;
    int pendingColumn_ = -1;
    int pendingInfo_ = -1;
    int lastColumnWidth_ = -1;
    QRect savedNormal_;
    // Where the frame stood when the window was last neither maximised nor minimised.
    QPoint normalFrame_;
    QMetaObject::Connection focusConnection_;
};
