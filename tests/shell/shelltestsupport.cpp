#include "shelltestsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

namespace {

constexpr unsigned kDacCaps = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

bool setEffective(bool withDac)
{
    __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct data[2] {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    data[0].effective
        = withDac ? (data[0].effective | (data[0].permitted & kDacCaps)) : (data[0].effective & ~kDacCaps);
    return ::syscall(SYS_capset, &header, data) == 0;
}

} // namespace

PermissionChecks::PermissionChecks()
    : m_dropped(::geteuid() == 0 && setEffective(false))
{
}

PermissionChecks::~PermissionChecks()
{
    if (m_dropped)
        setEffective(true);
}

std::shared_ptr<QString> closeNextMessageBox()
{
    auto seen = std::make_shared<QString>();
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [seen, poll] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        *seen = box->windowTitle() + QLatin1Char('\n') + box->text();
        box->done(QMessageBox::Ok);
        poll->deleteLater();
    });
    poll->start(10);
    return seen;
}
