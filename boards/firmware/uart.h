/* Interrupt-driven UART0 for the ATmega328P: 9600 baud, 8 data bits, no
 * parity, 1 stop bit. Both directions go through ring buffers, so the main
 * loop never misses a byte while it is busy answering. */
#ifndef UART_H
#define UART_H

#include <stdint.h>

void uart_init(void);

/* Next received byte, or -1 when none is waiting. */
int uart_getc(void);

/* Non-zero while received bytes wait to be read. */
uint8_t uart_rx_pending(void);

/* Queues one byte, waiting for room while the transmit buffer is full. */
void uart_putc(uint8_t c);

void uart_write(const char* text, uint8_t length);

#endif
