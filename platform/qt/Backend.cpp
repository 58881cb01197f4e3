#include "platform/qt/Backend.h"

#include "platform/qt/Bridge.h"
#include "platform/qt/FontMap.h"
#include "platform/qt/Print.h"
#include "platform/qt/Services.h"
#include "platform/qt/Translations.h"
#include "platform/ui/Application.h"

#include <QApplication>
#include <QPixmap>
#include <QTranslator>

namespace qtbackend {

namespace {
int gArgc = 1;
char gArgv0[] = "dorneval";
char* gArgv[] = {gArgv0, nullptr};
} // namespace

struct Session::Impl {
    ui::Application& app;
    Mode mode;
    std::unique_ptr<QApplication> qapp;
    std::unique_ptr<PrintSetup> print;
    std::unique_ptr<QtServices> services;
    std::unique_ptr<ReportOutput> reports;
    std::unique_ptr<ChartPrinter> charts;
    std::unique_ptr<Bridge> bridge;
    std::vector<std::unique_ptr<QTranslator>> translators;
    // What the session replaced, installed again when it ends.
    report::Output* earlierReports = nullptr;
    chart::Printer* earlierCharts = nullptr;
};

Session::Session(ui::Application& app, Mode mode)
    : impl_(new Impl{app, mode, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, {}}) {
    Impl& d = *impl_;
    if (!QApplication::instance()) d.qapp = std::make_unique<QApplication>(gArgc, gArgv);
    d.translators = InstallItalianTranslations();
    InstallFontSubstitutions();
    QApplication::setFont(MakeFont(QString(), 12, false, false, false));
    const bool unattended = mode == Mode::Unattended;
    d.print = std::make_unique<PrintSetup>();
    d.services = std::make_unique<QtServices>(*d.print, unattended);
    d.reports = std::make_unique<ReportOutput>(*d.print, unattended);
    d.charts = std::make_unique<ChartPrinter>(*d.print);
    d.bridge = std::make_unique<Bridge>(app);
    d.bridge->SetUnattended(unattended);
    app.SetServices(d.services.get());
    d.earlierReports = report::SetOutput(d.reports.get());
    d.earlierCharts = chart::SetPrinter(d.charts.get());
    app.SetBackend(d.bridge.get());
}

Session::~Session() {
    Impl& d = *impl_;
    d.app.SetBackend(nullptr);
    d.app.SetServices(nullptr);
    report::SetOutput(d.earlierReports);
    chart::SetPrinter(d.earlierCharts);
    d.bridge.reset();
}

int Session::Run() {
    impl_->app.Run();
    return 0;
}

bool Session::Grab(ui::Form& form, const std::string& pngPath) {
    QApplication::processEvents();
    FormWindow& w = impl_->bridge->Window(form);
    const QPixmap picture = w.grab();
    return !picture.isNull() && picture.save(QString::fromStdString(pngPath), "PNG");
}

void Session::ProcessEvents() {
    QApplication::processEvents();
}

int Run(ui::Application& app) {
    Session session(app);
    return session.Run();
}

bool WritePdf(const report::Document& document, const std::string& path) {
    return WritePdf(document, QString::fromStdString(path));
}

} // namespace qtbackend
