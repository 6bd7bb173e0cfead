#include "comreceiver.h"

#include "comport.h"

void connectReceiver(ComPort& port, QObject* context, std::function<void(const QString&)> receive)
{
    QObject::connect(&port, &ComPort::OnComm, context, [&port, receive = std::move(receive)] {
        if (port.CommEvent() != ComPort::kEvReceive)
            return;
        QString chunk;
        runOrSkip<ComError>([&] { chunk = port.Input(); });
        receive(chunk);
    });
}
