/* Decoder of the NEC infrared protocol, fed with the lengths of the pulses
 * the receiver reports. No hardware access, so it also builds on the host,
 * where the simulator uses the same timing table to send frames. */
#ifndef NEC_H
#define NEC_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Nominal lengths in microseconds. A mark is a burst of carrier (the
 * receiver's output low), a space the pause after it. */
enum {
    NEC_LEADER_MARK_US = 9000,
    NEC_LEADER_SPACE_US = 4500,
    NEC_REPEAT_SPACE_US = 2250,
    NEC_BIT_MARK_US = 562,
    NEC_ZERO_SPACE_US = 562,
    NEC_ONE_SPACE_US = 1687,
    NEC_BITS = 32,
    /* A pause longer than any part of a frame: whatever came before is over. */
    NEC_GAP_US = 15000
};

typedef enum {
    NEC_NONE, /* nothing complete yet */
    NEC_CODE, /* a whole frame arrived: see nec_decoder.code */
    NEC_REPEAT, /* a repeat frame (key held down) */
    NEC_REJECTED /* a whole frame whose command byte does not match its inverse */
} nec_result;

typedef struct {
    uint8_t state;
    uint8_t bits;
    uint32_t code; /* first bit received in the most significant place */
} nec_decoder;

void nec_reset(nec_decoder* decoder);

/* One pulse has ended: a mark if `mark` is non-zero, else a space, lasting
 * `us` microseconds (65535 for anything longer). A pulse whose length is more
 * than about a fifth off the protocol drops the frame in progress; the
 * decoder then waits for the next leader. */
nec_result nec_pulse(nec_decoder* decoder, uint8_t mark, uint16_t us);

/* Writes the code as eight upper-case hex digits, CR LF and a zero (11 bytes). */
void nec_format_code(char* out, uint32_t code);

#ifdef __cplusplus
}
#endif

#endif
