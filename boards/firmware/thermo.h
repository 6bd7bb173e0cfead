/* Pure logic of the temperature controller: sensor scaling, the set-point
 * rules and the reading line. No hardware access, so it also builds on the
 * host for unit tests. */
#ifndef THERMO_H
#define THERMO_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    THERMO_SETPOINT_MIN = 0,
    THERMO_SETPOINT_MAX = 99,
    THERMO_SETPOINT_DEFAULT = 25, /* what an erased or damaged EEPROM cell gives */
    THERMO_LINE_MAX = 10 /* five digits, suffix, CR LF and a terminating zero */
};

/* Whole degrees from the sum of `samples` 10-bit conversions of an LM35
 * (10 mV per degree) against a 5 V reference, rounded to the nearest degree:
 * one step of the converter is about half a degree, so truncating would show
 * a degree too little for most voltages. */
uint16_t thermo_degrees(uint32_t adc_sum, uint8_t samples);

/* The set-point kept in an EEPROM cell; anything outside 0..99 (an erased
 * cell reads 0xFF) gives the default. */
uint8_t thermo_setpoint_from_cell(uint8_t cell);

/* The set-point moved by `delta`, held within 0..99. */
uint8_t thermo_setpoint_step(uint8_t setpoint, int8_t delta);

/* Writes the line `value` `suffix` CR LF with at least two digits (so the
 * console's text comparison of readings and set-points orders them as
 * numbers) and returns its length without the terminating zero. */
uint8_t thermo_format_line(char* out, uint16_t value, char suffix);

#ifdef __cplusplus
}
#endif

#endif
