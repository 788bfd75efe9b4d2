// A bare window hosting the browser, for trying it by hand (not built by default).
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QSplitter>
#include <QVBoxLayout>

#include "browser/FileBrowser.h"
#include "diagram/QPainterCanvas.h"
#include "diagram/RepaintDiagram.h"
#include "photometry/Calculations.h"

class HarnessWindow : public QWidget, public BrowserHost {
public:
    HarnessWindow()
    {
        browser_ = new FileBrowser(*this, ShellNamespace::ForCurrentUser(), this);
        auto* split = new QSplitter(this);
        auto* left = new QSplitter(Qt::Vertical, split);
        left->addWidget(browser_->Tree());
        auto* diagramBox = new QWidget(left);
        auto* dl = new QVBoxLayout(diagramBox);
        diagram_ = new QLabel(diagramBox);
        diagram_->setMinimumSize(260, 260);
        slider_ = new QSlider(Qt::Horizontal, diagramBox);
        dl->addWidget(diagram_);
        dl->addWidget(slider_);
        auto* right = new QSplitter(Qt::Vertical, split);
        right->addWidget(browser_->List());
        info_ = new QLabel(right);
        info_->setAlignment(Qt::AlignTop);
        auto* outer = new QHBoxLayout(this);
        outer->addWidget(split);
        resize(900, 650);
        QObject::connect(slider_, &QSlider::valueChanged, this, [this] { Draw(3); });
        browser_->ButtonCreateTreeClick();
    }
    FileBrowser* browser_;

    void ShowFileRecord(const tIES& record) override
    {
        CopyIes(record, current_);
        const int last = current_.HorzCount - 1;
        slider_->setMaximum(std::max(0, last));
        slider_->setValue(ZeroPlaneIndex(current_));
        slider_->setVisible(last > 0);
        Draw(3);
    }
    void ShowNoFile() override { slider_->hide(); Draw(1); }
    void FolderChanging() override { slider_->hide(); Draw(1); }
    void SetInfoText(const QString& text) override { info_->setText(text); }
    void SetWindowCaption(const QString& text) override { setWindowTitle(text); }
    void SetApplicationTitle(const QString&) override {}
    void SetDiagramCrosshair(bool on) override { diagram_->setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor); }
    void ShowMessage(const QString& text, const QString& caption, QMessageBox::Icon icon) override
    {
        QMessageBox(icon, caption, text, QMessageBox::Ok, this).exec();
    }
    void CaptionChoiceReset() override {}

private:
    void Draw(int flags)
    {
        QImage image(diagram_->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QPainterCanvas canvas(painter, true);
            RepaintDiagram(canvas, image.width(), image.height(), current_, flags, slider_->value(),
                           DefaultDiagramOptions());
        }
        diagram_->setPixmap(QPixmap::fromImage(image));
    }
    QLabel* diagram_;
    QLabel* info_;
    QSlider* slider_;
    tIES current_;
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    HarnessWindow window;
    window.show();
    if (argc > 1)
        window.browser_->NavigateToPath(QString::fromLocal8Bit(argv[1]));
    return app.exec();
}
