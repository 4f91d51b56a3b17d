#include "dialogs/frm_about.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "dialogs/version_info.h"

namespace pavik {

TfrmAbout::TfrmAbout(QWidget* owner) : QDialog(owner) {
    setObjectName("frmAbout");
    setWindowTitle(QStringLiteral("バージョン情報"));
    // A fixed box with a title but no title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(300, 167);

    auto* upper = new QFrame(this);
    upper->setObjectName("PanelUpper");
    upper->setFrameShape(QFrame::StyledPanel);
    upper->setFrameShadow(QFrame::Sunken);
    upper->setAutoFillBackground(true);
    upper->setBackgroundRole(QPalette::Base);

    ProgramIcon = new QLabel(upper);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setFixedSize(40, 40);
    ProgramIcon->setAlignment(Qt::AlignCenter);
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull()) ProgramIcon->setPixmap(icon.pixmap(32, 32));

    auto makeLabel = [upper](const char* name, const QString& text) {
        auto* l = new QLabel(text, upper);
        l->setObjectName(QString::fromLatin1(name));
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    ProductName = makeLabel("ProductName", QStringLiteral("プロダクト名"));
    QFont big = ProductName->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    ProductName->setFont(big);
    Version = makeLabel("Version", QStringLiteral("バージョン番号"));
    Copyright = makeLabel("Copyright", QStringLiteral("著作権表記"));
    Description = makeLabel("Description", QStringLiteral("説明"));

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(ProductName);
    texts->addWidget(Version);
    texts->addWidget(Copyright);
    texts->addWidget(Description);
    auto* upperLayout = new QHBoxLayout(upper);
    upperLayout->setContentsMargins(10, 8, 10, 8);
    upperLayout->addWidget(ProgramIcon, 0, Qt::AlignTop);
    upperLayout->addLayout(texts, 1);

    BitBtnOK = new QPushButton(QStringLiteral("OK"), this);
    BitBtnOK->setObjectName("BitBtnOK");
    BitBtnOK->setDefault(true);
    BitBtnOK->setMinimumWidth(80);
    connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* lower = new QHBoxLayout;
    lower->addStretch(1);
    lower->addWidget(BitBtnOK);
    lower->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(upper, 1);
    layout->addLayout(lower);

    // Any click on the box or key press acts as OK.
    upper->installEventFilter(this);
    ProgramIcon->installEventFilter(this);
    BitBtnOK->installEventFilter(this);
}

void TfrmAbout::GetVersionInfo(uint8_t KeyIndex, QString& Value) {
    std::string value = Value.toStdString();
    readVersionString(&programVersionResource(), KeyIndex, value);
    Value = QString::fromStdString(value);
}

void TfrmAbout::FormShow() {
    QString s = ProductName->text();
    GetVersionInfo(viProductName, s);
    ProductName->setText(s);
    QString fileVersion;
    GetVersionInfo(viFileVersion, fileVersion);
    if (!fileVersion.isEmpty()) Version->setText(QStringLiteral("Build ") + fileVersion);
    s = Copyright->text();
    GetVersionInfo(viLegalCopyright, s);
    Copyright->setText(s);
    s = Description->text();
    GetVersionInfo(viFileDescription, s);
    Description->setText(s);
}

void TfrmAbout::showEvent(QShowEvent* event) {
    FormShow();
    if (QWidget* owner = parentWidget()) {
        const QRect r = owner->window()->frameGeometry();
        move(r.center() - rect().center());
    }
    QDialog::showEvent(event);
}

void TfrmAbout::keyPressEvent(QKeyEvent* event) {
    event->accept();
    BitBtnOK->click();
}

void TfrmAbout::mousePressEvent(QMouseEvent* event) {
    event->accept();
    BitBtnOK->click();
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress ||
        (event->type() == QEvent::MouseButtonPress && watched != BitBtnOK)) {
        BitBtnOK->click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace pavik
