// velview: a window that shows the barcodes Vel finds in a picture or document.
//   velview [--form FORM] [FILE]
// Without --form the window uses the form the user saved (velview.vfm in the user's
// configuration folder) or, before the first save, the form velview ships.
#include "ViewWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The user's own form: where velview saves its settings when no form is named.
QString UserForm() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/velview.vfm";
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("velview");
    QApplication::setApplicationVersion(VEL_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Shows the barcodes Vel finds in a picture or document (PNG, JPEG, BMP, GIF, TIFF, "
        "WebP, PNM, PDF).");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption form(
        "form", "Read the component and the settings from FORM and save them back there.", "FORM");
    parser.addOption(form);
    parser.addPositionalArgument("FILE", "The picture or document to open.", "[FILE]");
    parser.process(application);

    const QString formFile = parser.isSet(form)
                                 ? parser.value(form)
                                 : (QFileInfo::exists(UserForm()) ? UserForm() : QString());
    if (!parser.isSet(form))
        QDir().mkpath(QFileInfo(UserForm()).path());
    TViewWindow window(formFile, UserForm());
    window.show();
    if (!parser.positionalArguments().isEmpty())
        window.Open(parser.positionalArguments().constFirst());
    return QApplication::exec();
}
