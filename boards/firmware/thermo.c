#include "thermo.h"

uint16_t thermo_degrees(uint32_t adc_sum, uint8_t samples)
{
    if (samples == 0)
        return 0;
    /* degrees = adc * 5000 mV / 1024 / 10 mV, i.e. adc * 500 / 1024 */
    const uint32_t scale = (uint32_t)samples * 1024u;
    return (uint16_t)((adc_sum * 500u + scale / 2u) / scale);
}

uint8_t thermo_setpoint_from_cell(uint8_t cell)
{
    return cell <= THERMO_SETPOINT_MAX ? cell : (uint8_t)THERMO_SETPOINT_DEFAULT;
}

uint8_t thermo_setpoint_step(uint8_t setpoint, int8_t delta)
{
    const int16_t moved = (int16_t)setpoint + delta;
    if (moved < THERMO_SETPOINT_MIN)
        return THERMO_SETPOINT_MIN;
    if (moved > THERMO_SETPOINT_MAX)
        return THERMO_SETPOINT_MAX;
    return (uint8_t)moved;
}

uint8_t thermo_format_line(char* out, uint16_t value, char suffix)
{
    char digits[5];
    uint8_t count = 0;
    do {
        digits[count++] = (char)('0' + value % 10u);
        value /= 10u;
    } while (value != 0 && count < sizeof digits);
    if (count < 2)
        digits[count++] = '0';

    uint8_t length = 0;
    while (count > 0)
        out[length++] = digits[--count];
    out[length++] = suffix;
    out[length++] = '\r';
    out[length++] = '\n';
    out[length] = '\0';
    return length;
}
