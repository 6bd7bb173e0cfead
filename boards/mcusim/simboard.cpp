#include "simboard.h"

#include "elfcheck.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

// The library's core headers carry their own C linkage guards.
#include <avr_adc.h>
#include <avr_eeprom.h>
#include <avr_ioport.h>
#include <avr_uart.h>
#include <sim_avr.h>
#include <sim_cycle_timers.h>
#include <sim_elf.h>
#include <sim_irq.h>

namespace mcusim {

namespace {

    constexpr const char* kDefaultMcu = "atmega328p";
    constexpr std::uint32_t kMillivoltsSupply = 5000;
    constexpr std::uint32_t kTickMicros = 1000;
    constexpr std::uint32_t kInfraredGapMicros = 30000; // idle line between queued frames
    constexpr long kNanosPerSecond = 1000000000L;
    // Further behind the wall clock than this (the process was stopped, or the
    // host is overloaded) the clock is reset instead of caught up in a rush.
    constexpr long kMaxLagNanos = 250000000L;

    // The library logs to standard output, which carries our own protocol.
    void logToStandardError(avr_t*, const int level, const char* format, va_list args)
    {
        if (level <= LOG_WARNING)
            std::vfprintf(stderr, format, args);
    }

    // Sleep is paced by our own tick against the wall clock; the core just
    // skips the cycles.
    void skipSleep(avr_t*, avr_cycle_count_t) { }

    timespec addNanos(timespec t, long long nanos)
    {
        nanos += t.tv_nsec;
        t.tv_sec += static_cast<time_t>(nanos / kNanosPerSecond);
        t.tv_nsec = static_cast<long>(nanos % kNanosPerSecond);
        if (t.tv_nsec < 0) {
            t.tv_nsec += kNanosPerSecond;
            t.tv_sec -= 1;
        }
        return t;
    }

    long long nanosBetween(const timespec& from, const timespec& to)
    {
        return (to.tv_sec - from.tv_sec) * static_cast<long long>(kNanosPerSecond)
            + (to.tv_nsec - from.tv_nsec);
    }

} // namespace

std::unique_ptr<SimBoard> SimBoard::load(const std::string& elfPath, std::string& error)
{
    avr_global_logger_set(logToStandardError);
    if (!isAvrElf(elfPath, error))
        return nullptr;
    elf_firmware_t firmware {};
    if (elf_read_firmware(elfPath.c_str(), &firmware) != 0) {
        error = "cannot load the firmware " + elfPath;
        return nullptr;
    }
    if (firmware.mmcu[0] == '\0')
        std::snprintf(firmware.mmcu, sizeof firmware.mmcu, "%s", kDefaultMcu);
    if (firmware.frequency == 0)
        firmware.frequency = kDefaultFrequency;
    avr_t* avr = avr_make_mcu_by_name(firmware.mmcu);
    if (!avr) {
        error = std::string("unknown microcontroller ") + firmware.mmcu;
        return nullptr;
    }
    avr_init(avr);
    avr_load_firmware(avr, &firmware);
    avr->vcc = avr->avcc = avr->aref = kMillivoltsSupply;
    avr->log = LOG_WARNING;
    avr->sleep = skipSleep;
    std::unique_ptr<SimBoard> board(new SimBoard(avr));
    board->connectPeripherals();
    return board;
}

SimBoard::SimBoard(avr_t* avr)
    : m_avr(avr)
{
}

SimBoard::~SimBoard()
{
    avr_terminate(m_avr);
}

void SimBoard::connectPeripherals()
{
    // A firmware that polls the UART status must not put the whole core to
    // sleep, and lines must not be echoed on the console.
    std::uint32_t flags = 0;
    avr_ioctl(m_avr, AVR_IOCTL_UART_GET_FLAGS('0'), &flags);
    flags &= ~static_cast<std::uint32_t>(AVR_UART_FLAG_POLL_SLEEP | AVR_UART_FLAG_STDIO);
    avr_ioctl(m_avr, AVR_IOCTL_UART_SET_FLAGS('0'), &flags);

    const auto uartIrq
        = [this](int which) { return avr_io_getirq(m_avr, AVR_IOCTL_UART_GETIRQ('0'), which); };
    m_uartInput = uartIrq(UART_IRQ_INPUT);
    avr_irq_register_notify(uartIrq(UART_IRQ_OUTPUT), uartOutput, this);
    avr_irq_register_notify(uartIrq(UART_IRQ_OUT_XON), uartXon, this);
    avr_irq_register_notify(uartIrq(UART_IRQ_OUT_XOFF), uartXoff, this);

    m_infraredPin = avr_io_getirq(m_avr, AVR_IOCTL_IOPORT_GETIRQ('B'), IOPORT_IRQ_PIN0);
    avr_raise_irq(m_infraredPin, 1); // an idle receiver holds its output high

    avr_cycle_timer_register(m_avr, cyclesFor(kTickMicros), tickTimer, this);
}

std::uint64_t SimBoard::cyclesFor(std::uint32_t microseconds) const
{
    return static_cast<std::uint64_t>(microseconds) * m_avr->frequency / 1000000u;
}

void SimBoard::uartOutput(avr_irq_t*, std::uint32_t value, void* param)
{
    auto* board = static_cast<SimBoard*>(param);
    if (board->m_transmit)
        board->m_transmit(static_cast<std::uint8_t>(value));
}

void SimBoard::uartXon(avr_irq_t*, std::uint32_t, void* param)
{
    auto* board = static_cast<SimBoard*>(param);
    board->m_uartFull = false;
    board->deliverReceived();
}

void SimBoard::uartXoff(avr_irq_t*, std::uint32_t, void* param)
{
    static_cast<SimBoard*>(param)->m_uartFull = true;
}

void SimBoard::deliverReceived()
{
    // Raising the input may report a full receiver (XOFF) at once.
    while (!m_uartFull && !m_received.empty()) {
        const std::uint8_t byte = m_received.front();
        m_received.pop_front();
        avr_raise_irq(m_uartInput, byte);
    }
}

void SimBoard::setAdc(int channel, int millivolts)
{
    avr_raise_irq(avr_io_getirq(m_avr, AVR_IOCTL_ADC_GETIRQ, ADC_IRQ_ADC0 + channel),
        static_cast<std::uint32_t>(millivolts));
}

void SimBoard::playInfrared(const Pulses& pulses)
{
    for (std::size_t i = 0; i < pulses.size(); ++i)
        m_infrared.push_back({ i % 2 == 1, pulses[i] }); // marks pull the output low
    m_infrared.push_back({ true, kInfraredGapMicros });
    if (!m_infraredPlaying) {
        m_infraredPlaying = true;
        avr_cycle_timer_register(m_avr, 1, infraredTimer, this);
    }
}

avr_cycle_count_t SimBoard::infraredTimer(avr_t*, avr_cycle_count_t when, void* param)
{
    auto* board = static_cast<SimBoard*>(param);
    if (board->m_infrared.empty()) {
        board->m_infraredPlaying = false;
        return 0;
    }
    const Step step = board->m_infrared.front();
    board->m_infrared.pop_front();
    avr_raise_irq(board->m_infraredPin, step.level ? 1 : 0);
    return when + board->cyclesFor(step.microseconds);
}

std::size_t SimBoard::eepromSize() const
{
    return static_cast<std::size_t>(m_avr->e2end) + 1;
}

std::vector<std::uint8_t> SimBoard::eeprom() const
{
    std::vector<std::uint8_t> image(eepromSize());
    avr_eeprom_desc_t desc { image.data(), 0, static_cast<std::uint32_t>(image.size()) };
    avr_ioctl(m_avr, AVR_IOCTL_EEPROM_GET, &desc);
    if (desc.ee != image.data()) // the library may hand out its own bytes instead
        std::copy(desc.ee, desc.ee + image.size(), image.begin());
    return image;
}

void SimBoard::setEeprom(const std::vector<std::uint8_t>& image)
{
    std::vector<std::uint8_t> copy = image;
    avr_eeprom_desc_t desc { copy.data(), 0, static_cast<std::uint32_t>(copy.size()) };
    avr_ioctl(m_avr, AVR_IOCTL_EEPROM_SET, &desc);
}

avr_cycle_count_t SimBoard::tickTimer(avr_t*, avr_cycle_count_t when, void* param)
{
    auto* board = static_cast<SimBoard*>(param);
    if (board->m_tick)
        board->m_tick();
    board->deliverReceived();
    if (board->m_paced)
        board->paceToWallClock();
    return when + board->cyclesFor(kTickMicros);
}

void SimBoard::paceToWallClock()
{
    const std::uint64_t cycles = m_avr->cycle - m_cycleStart;
    const std::uint64_t hz = m_avr->frequency;
    const auto simulatedNanos
        = static_cast<long long>(cycles / hz * kNanosPerSecond + cycles % hz * kNanosPerSecond / hz);
    const timespec due = addNanos(m_wallStart, simulatedNanos);
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long ahead = nanosBetween(now, due);
    if (ahead > 0) {
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR && !m_stopping) { }
    } else if (-ahead > kMaxLagNanos) {
        m_wallStart = addNanos(now, -simulatedNanos);
    }
}

int SimBoard::run()
{
    clock_gettime(CLOCK_MONOTONIC, &m_wallStart);
    m_cycleStart = m_avr->cycle;
    while (!m_stopping) {
        const int state = avr_run(m_avr);
        if (state == cpu_Done || state == cpu_Crashed) {
            std::fprintf(stderr, "mcusim: the firmware %s\n", state == cpu_Crashed ? "crashed" : "halted");
            return 1;
        }
    }
    return 0;
}

void SimBoard::runFree(std::uint64_t cycles)
{
    m_paced = false;
    const std::uint64_t end = m_avr->cycle + cycles;
    while (m_avr->cycle < end) {
        const int state = avr_run(m_avr);
        if (state == cpu_Done || state == cpu_Crashed)
            break;
    }
    m_paced = true;
}

std::uint32_t SimBoard::frequency() const
{
    return m_avr->frequency;
}

} // namespace mcusim
