#include "nec.h"

enum {
    IDLE, /* waiting for a mark to begin */
    LEADER_MARK, /* inside the 9 ms leader mark */
    LEADER_SPACE,
    BIT_MARK,
    BIT_SPACE,
    REPEAT_MARK /* the closing mark of a repeat frame */
};

/* Within about 20 % of the nominal length. */
static uint8_t near(uint16_t us, uint16_t nominal)
{
    const uint32_t scaled = (uint32_t)us * 5u;
    return scaled >= (uint32_t)nominal * 4u && scaled <= (uint32_t)nominal * 6u;
}

void nec_reset(nec_decoder* decoder)
{
    decoder->state = IDLE;
    decoder->bits = 0;
    decoder->code = 0;
}

static uint8_t command_checks(uint32_t code)
{
    return (uint8_t)((code >> 8) ^ code) == 0xFFu;
}

/* A mark has ended. */
static nec_result on_mark(nec_decoder* d, uint16_t us)
{
    const uint8_t state = d->state;
    d->state = IDLE;
    if (state == LEADER_MARK && near(us, NEC_LEADER_MARK_US)) {
        d->state = LEADER_SPACE;
    } else if (state == BIT_MARK && near(us, NEC_BIT_MARK_US)) {
        if (d->bits < NEC_BITS) {
            d->state = BIT_SPACE;
        } else {
            return command_checks(d->code) ? NEC_CODE : NEC_REJECTED;
        }
    } else if (state == REPEAT_MARK && near(us, NEC_BIT_MARK_US)) {
        return NEC_REPEAT;
    }
    return NEC_NONE;
}

/* A space has ended, so a mark begins: unless it continues the frame in
 * progress, it may be the leader of the next one. */
static void on_space(nec_decoder* d, uint16_t us)
{
    const uint8_t state = d->state;
    d->state = LEADER_MARK;
    if (state == LEADER_SPACE) {
        if (near(us, NEC_LEADER_SPACE_US)) {
            d->bits = 0;
            d->code = 0;
            d->state = BIT_MARK;
        } else if (near(us, NEC_REPEAT_SPACE_US)) {
            d->state = REPEAT_MARK;
        }
    } else if (state == BIT_SPACE) {
        const uint8_t zero = near(us, NEC_ZERO_SPACE_US);
        if (zero || near(us, NEC_ONE_SPACE_US)) {
            d->code = (d->code << 1) | (zero ? 0u : 1u);
            d->bits++;
            d->state = BIT_MARK;
        }
    }
}

nec_result nec_pulse(nec_decoder* decoder, uint8_t mark, uint16_t us)
{
    if (mark)
        return on_mark(decoder, us);
    on_space(decoder, us);
    return NEC_NONE;
}

void nec_format_code(char* out, uint32_t code)
{
    static const char hex[] = "0123456789ABCDEF";
    for (uint8_t i = 0; i < 8; ++i)
        out[i] = hex[(code >> (28u - 4u * i)) & 0xFu];
    out[8] = '\r';
    out[9] = '\n';
    out[10] = '\0';
}
