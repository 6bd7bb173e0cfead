/* The infrared receiver's facts that its firmware, the board simulators and
 * the player share: what the receiver sends for a repeat frame, and how often
 * a remote sends repeat frames while a key is held. Plain C, for the firmware. */
#ifndef IRPROTOCOL_H
#define IRPROTOCOL_H

/* A repeat frame is reported as this code, so as the line "FFFFFFFF". */
#define IR_REPEAT_CODE 0xFFFFFFFFul
#define IR_REPEAT_LINE "FFFFFFFF"

/* A remote starts a frame every 108 ms while a key is held. */
#define IR_FRAME_PERIOD_US 108000L

#endif
