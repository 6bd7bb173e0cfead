/* Infrared receiver: an active-low demodulating receiver on PB0 (ICP1) is
 * timed with Timer 1's input capture; each NEC frame is sent as eight
 * upper-case hex digits and CR LF, a repeat frame as FFFFFFFF. */
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/sleep.h>
#include <stdint.h>

#include "irprotocol.h"
#include "nec.h"
#include "uart.h"

#define US_PER_TICK 4u /* 16 MHz / 64 */
#define GAP_TICKS (NEC_GAP_US / US_PER_TICK)

/* Codes decoded in the capture interrupt, sent from the main loop. */
#define QUEUE_SIZE 8u
static volatile uint32_t queue[QUEUE_SIZE];
static volatile uint8_t queue_head;
static volatile uint8_t queue_tail;

static nec_decoder decoder;
static uint16_t last_edge;

static void push(uint32_t code)
{
    const uint8_t next = (uint8_t)((queue_head + 1u) & (QUEUE_SIZE - 1u));
    if (next != queue_tail) {
        queue[queue_head] = code;
        queue_head = next;
    }
}

/* Input capture on the falling edge first (a mark begins), then on every
 * edge the opposite of the last one; compare B ends a frame left hanging. */
static void capture_init(void)
{
    DDRB &= (uint8_t) ~(1 << DDB0);
    PORTB |= (uint8_t)(1 << PORTB0); /* pull-up: an unplugged receiver reads idle */
    TCCR1A = 0;
    TCCR1B = (uint8_t)((1 << ICNC1) | (1 << CS11) | (1 << CS10));
    TIFR1 = (uint8_t)((1 << ICF1) | (1 << OCF1B));
    TIMSK1 = (uint8_t)((1 << ICIE1) | (1 << OCIE1B));
}

ISR(TIMER1_CAPT_vect)
{
    const uint16_t now = ICR1;
    const uint8_t mark_ended = (TCCR1B & (1 << ICES1)) != 0; /* a rising edge */
    TCCR1B ^= (uint8_t)(1 << ICES1);
    TIFR1 = (uint8_t)(1 << ICF1); /* the edge switch may raise a stray flag */

    const uint16_t ticks = (uint16_t)(now - last_edge);
    const uint16_t us = ticks > UINT16_MAX / US_PER_TICK ? UINT16_MAX : (uint16_t)(ticks * US_PER_TICK);
    last_edge = now;
    OCR1B = (uint16_t)(now + GAP_TICKS);
    TIFR1 = (uint8_t)(1 << OCF1B);

    switch (nec_pulse(&decoder, mark_ended, us)) {
    case NEC_CODE:
        push(decoder.code);
        break;
    case NEC_REPEAT:
        push(IR_REPEAT_CODE);
        break;
    default:
        break;
    }
}

ISR(TIMER1_COMPB_vect)
{
    /* No edge for longer than any part of a frame: start over, waiting for
     * the falling edge that begins the next leader. */
    nec_reset(&decoder);
    TCCR1B &= (uint8_t) ~(1 << ICES1);
    TIFR1 = (uint8_t)(1 << ICF1);
}

static uint8_t pop(uint32_t* code)
{
    uint8_t found = 0;
    cli();
    if (queue_head != queue_tail) {
        *code = queue[queue_tail];
        queue_tail = (uint8_t)((queue_tail + 1u) & (QUEUE_SIZE - 1u));
        found = 1;
    }
    sei();
    return found;
}

int main(void)
{
    nec_reset(&decoder);
    uart_init();
    capture_init();
    set_sleep_mode(SLEEP_MODE_IDLE);
    sei();

    for (;;) {
        uint32_t code;
        while (pop(&code)) {
            char line[11];
            nec_format_code(line, code);
            uart_write(line, 10);
        }
        cli();
        if (queue_head == queue_tail) {
            sleep_enable();
            sei();
            sleep_cpu();
            sleep_disable();
        }
        sei();
    }
}
