#include "uart.h"

#include <avr/interrupt.h>
#include <avr/io.h>

#define BAUD 9600UL
/* Powers of two, so the indexes wrap with a mask. The receive buffer holds
 * more than a 64-byte burst of commands even while the main loop waits for
 * room to send the answers. */
#define RX_SIZE 128u
#define TX_SIZE 128u

static volatile uint8_t rx_buf[RX_SIZE];
static volatile uint8_t rx_head;
static volatile uint8_t rx_tail;
static volatile uint8_t tx_buf[TX_SIZE];
static volatile uint8_t tx_head;
static volatile uint8_t tx_tail;

void uart_init(void)
{
    const uint16_t ubrr = (uint16_t)(F_CPU / 16UL / BAUD - 1UL);
    UBRR0H = (uint8_t)(ubrr >> 8);
    UBRR0L = (uint8_t)ubrr;
    UCSR0A = 0;
    UCSR0C = (uint8_t)((1 << UCSZ01) | (1 << UCSZ00));
    UCSR0B = (uint8_t)((1 << RXEN0) | (1 << TXEN0) | (1 << RXCIE0));
}

ISR(USART_RX_vect)
{
    const uint8_t c = UDR0;
    const uint8_t next = (uint8_t)((rx_head + 1u) & (RX_SIZE - 1u));
    if (next != rx_tail) { /* a full buffer drops the byte, as a real overrun would */
        rx_buf[rx_head] = c;
        rx_head = next;
    }
}

ISR(USART_UDRE_vect)
{
    if (tx_head == tx_tail) {
        UCSR0B &= (uint8_t) ~(1 << UDRIE0);
        return;
    }
    UDR0 = tx_buf[tx_tail];
    tx_tail = (uint8_t)((tx_tail + 1u) & (TX_SIZE - 1u));
}

int uart_getc(void)
{
    if (rx_head == rx_tail)
        return -1;
    const uint8_t c = rx_buf[rx_tail];
    rx_tail = (uint8_t)((rx_tail + 1u) & (RX_SIZE - 1u));
    return c;
}

uint8_t uart_rx_pending(void)
{
    return rx_head != rx_tail;
}

void uart_putc(uint8_t c)
{
    const uint8_t next = (uint8_t)((tx_head + 1u) & (TX_SIZE - 1u));
    while (next == tx_tail) {
        /* the transmit interrupt frees a place every byte time */
    }
    tx_buf[tx_head] = c;
    tx_head = next;
    UCSR0B |= (uint8_t)(1 << UDRIE0);
}

void uart_write(const char* text, uint8_t length)
{
    for (uint8_t i = 0; i < length; ++i)
        uart_putc((uint8_t)text[i]);
}
