#include "cli/CliCommand.h"

#include <QCoreApplication>
#include <QDateTime>

#include <iostream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // The same default data folder as the window program.
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrel Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Vitalog"));

    vitalog::cli::Invocation invocation;
    for (int i = 1; i < argc; ++i)
        invocation.arguments.emplace_back(argv[i]);
    invocation.dataDirEnvironment = qEnvironmentVariable("VITALOG_DATA_DIR").toStdString();
    const QDateTime now = QDateTime::currentDateTime();
    const QDate today = now.date();
    invocation.today = vitalog::MakeDateKey(today.year(), today.month(), today.day());
    invocation.now =
        vitalog::MakeDateTimeKey(today.year(), today.month(), today.day(), now.time().hour(),
                                 now.time().minute(), now.time().second());
    return vitalog::cli::Run(invocation, std::cout, std::cerr);
}
