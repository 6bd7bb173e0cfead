// An ATmega328P running a firmware ELF in the simulator library, paced to
// real time, with its UART, ADC inputs, PB0 (the infrared receiver) and
// EEPROM reachable from the host.
#pragma once

#include <cstdint>
#include <ctime>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "irwave.h"

struct avr_t;
struct avr_irq_t;

namespace mcusim {

class SimBoard {
public:
    static constexpr std::uint32_t kDefaultFrequency = 16000000;

    // Loads the firmware; on failure returns null and says why.
    static std::unique_ptr<SimBoard> load(const std::string& elfPath, std::string& error);
    ~SimBoard();
    SimBoard(const SimBoard&) = delete;
    SimBoard& operator=(const SimBoard&) = delete;

    // Called with every byte the firmware transmits.
    void onTransmit(std::function<void(std::uint8_t)> sink) { m_transmit = std::move(sink); }
    // Called once every simulated millisecond, between instructions; the
    // place to service the host side.
    void onTick(std::function<void()> tick) { m_tick = std::move(tick); }

    // Bytes for the firmware's receiver, taken as fast as its UART accepts them.
    std::deque<std::uint8_t>& receiveQueue() { return m_received; }
    void deliverReceived();

    void setAdc(int channel, int millivolts);
    // Queues a waveform on PB0, played after those already queued.
    void playInfrared(const Pulses& pulses);

    std::vector<std::uint8_t> eeprom() const;
    void setEeprom(const std::vector<std::uint8_t>& image);
    std::size_t eepromSize() const;

    // Runs until stop() or until the firmware halts; returns a process exit
    // status. The simulated clock follows the wall clock: a second of cycles
    // takes a second, whether the core sleeps or busy-waits.
    int run();
    void stop() { m_stopping = true; }

    // Runs the next `cycles` cycles as fast as the host allows, ticks
    // included but no pacing: for measuring how much faster than real time
    // the simulation is.
    void runFree(std::uint64_t cycles);
    std::uint32_t frequency() const;

private:
    explicit SimBoard(avr_t* avr);
    void connectPeripherals();
    std::uint64_t cyclesFor(std::uint32_t microseconds) const;
    void paceToWallClock();
    static std::uint64_t tickTimer(avr_t* avr, std::uint64_t when, void* param);
    static std::uint64_t infraredTimer(avr_t* avr, std::uint64_t when, void* param);
    static void uartOutput(avr_irq_t* irq, std::uint32_t value, void* param);
    static void uartXon(avr_irq_t* irq, std::uint32_t value, void* param);
    static void uartXoff(avr_irq_t* irq, std::uint32_t value, void* param);

    struct Step {
        bool level;
        std::uint32_t microseconds;
    };

    avr_t* m_avr;
    avr_irq_t* m_uartInput = nullptr;
    avr_irq_t* m_infraredPin = nullptr;
    bool m_uartFull = false;
    bool m_stopping = false;
    bool m_infraredPlaying = false;
    bool m_paced = true;
    std::deque<std::uint8_t> m_received;
    std::deque<Step> m_infrared;
    std::function<void(std::uint8_t)> m_transmit;
    std::function<void()> m_tick;
    timespec m_wallStart {};
    std::uint64_t m_cycleStart = 0;
};

} // namespace mcusim
