/* Temperature controller: an LM35 on ADC0 read once a second and sent as
 * "<T>C" CR LF; the one-character commands 3, 5, 4 and 6 enter set-point mode
 * (answer "<SP>O"), raise and lower the set-point ("<SP>C") and leave the mode
 * again ("<T>N", the current temperature). The set-point is
 * kept in EEPROM so it survives a power cycle. */
#include <avr/eeprom.h>
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/sleep.h>
#include <stdint.h>

#include "thermo.h"
#include "uart.h"

#define SAMPLES 8u

static uint8_t EEMEM setpoint_cell; /* erased (0xFF) means the default */

static volatile uint8_t second_elapsed;
static uint8_t setpoint;
static uint8_t in_setpoint_mode;

/* Timer 1 in CTC mode: 16 MHz / 256 / 62500 = one compare match a second. */
static void tick_init(void)
{
    TCCR1A = 0;
    TCCR1B = (uint8_t)((1 << WGM12) | (1 << CS12));
    OCR1A = 62499u;
    TIMSK1 = (uint8_t)(1 << OCIE1A);
}

ISR(TIMER1_COMPA_vect)
{
    second_elapsed = 1;
}

/* ADC0 against AVcc (5 V), 125 kHz conversion clock. */
static void adc_init(void)
{
    ADMUX = (uint8_t)(1 << REFS0);
    ADCSRA = (uint8_t)((1 << ADEN) | (1 << ADPS2) | (1 << ADPS1) | (1 << ADPS0));
    DIDR0 = (uint8_t)(1 << ADC0D);
}

static uint16_t adc_read(void)
{
    ADCSRA |= (uint8_t)(1 << ADSC);
    while (ADCSRA & (1 << ADSC)) { }
    return ADC;
}

static uint16_t measure(void)
{
    uint32_t sum = 0;
    for (uint8_t i = 0; i < SAMPLES; ++i)
        sum += adc_read();
    return thermo_degrees(sum, SAMPLES);
}

static void send_line(uint16_t value, char suffix)
{
    char line[THERMO_LINE_MAX];
    const uint8_t length = thermo_format_line(line, value, suffix);
    uart_write(line, length);
}

static void handle_command(uint8_t c)
{
    switch (c) {
    case '3':
        in_setpoint_mode = 1;
        send_line(setpoint, 'O');
        break;
    case '5':
    case '4':
        /* Only in set-point mode: elsewhere the answer would read as a
         * temperature on the console. */
        if (!in_setpoint_mode)
            break;
        setpoint = thermo_setpoint_step(setpoint, c == '5' ? 1 : -1);
        eeprom_update_byte(&setpoint_cell, setpoint);
        send_line(setpoint, 'C');
        break;
    case '6':
        /* Leaving shows the current temperature, not the set-point: the
         * console tests this line against the set-point in force, and a
         * set-point raised above the temperature would read as an alarm. */
        in_setpoint_mode = 0;
        send_line(measure(), 'N');
        break;
    default:
        break; /* line noise and other bytes are ignored */
    }
}

/* Sleeps until an interrupt, unless work is already waiting. */
static void idle(void)
{
    cli();
    if (!uart_rx_pending() && !second_elapsed) {
        sleep_enable();
        sei();
        sleep_cpu();
        sleep_disable();
    }
    sei();
}

int main(void)
{
    setpoint = thermo_setpoint_from_cell(eeprom_read_byte(&setpoint_cell));
    uart_init();
    adc_init();
    tick_init();
    set_sleep_mode(SLEEP_MODE_IDLE);
    sei();

    for (;;) {
        int c;
        while ((c = uart_getc()) >= 0)
            handle_command((uint8_t)c);
        if (second_elapsed) {
            second_elapsed = 0;
            if (!in_setpoint_mode)
                send_line(measure(), 'C');
        }
        idle();
    }
}
