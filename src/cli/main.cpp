#include "cli/CliCommand.h"

#include <QCoreApplication>
#include <QDate>

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
    const QDate today = QDate::currentDate();
    invocation.today = vitalog::MakeDateKey(today.year(), today.month(), today.day());
    return vitalog::cli::Run(invocation, std::cout, std::cerr);
}
