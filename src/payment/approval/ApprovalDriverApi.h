/*
 * The approval driver: a shared library the terminal loads at run time
 * (dlopen) for card approvals and cash receipts. It exports the two
 * functions below with C linkage under exactly these names.
 *
 * The library is named by the key "ApprovalDriver" of section "CONFIG" in
 * "POS.ini" (a relative path is taken from the program folder; without the
 * key the terminal loads "CardDrv.so" from the program folder).
 *
 * Conventions
 *   - Text is UTF-8. Inputs are NUL-terminated, at most 255 bytes each, and
 *     never NULL (an empty value is "").
 *   - Every text output is a caller-provided buffer followed by its capacity
 *     in bytes (POS_APPROVAL_TEXT_CAPACITY, 256: 255 bytes of text and the
 *     NUL). The driver writes a NUL-terminated text of at most capacity - 1
 *     bytes, cut only between characters. The caller fills every buffer with
 *     "" before the call.
 *   - Integers are 32-bit. Amounts are whole won, positive.
 *   - Booleans are int32_t: 0 false, anything else true.
 *   - The terminal calls the driver from one worker thread, one call at a
 *     time, and never from the thread that draws the screen; a call may
 *     block for as long as the card company takes to answer.
 *
 * Results (what the terminal relies on)
 *   - true: approved (or, with aApprove false, cancelled); the outputs are
 *     filled.
 *   - false with a non-empty error code: refused; aErrCode and aMessage say
 *     why and are shown to the cashier.
 *   - false with an empty error code: the driver could not process the
 *     request and nothing reached the card company. A card request then goes
 *     to the card server over the dedicated line.
 *   - false with the error code "READ": the request went out but no answer
 *     came back, so the card company may have approved it. The terminal keeps
 *     such a request for a person to check and never tries another way.
 */
#ifndef POS_APPROVAL_DRIVER_H
#define POS_APPROVAL_DRIVER_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define POS_APPROVAL_TEXT_CAPACITY 256
#define POS_APPROVAL_UNCERTAIN_CODE "READ"

/* Credit card approval (aApprove true) or cancellation (aApprove false). */
int32_t ApprovalCard(
    int32_t aLive,             /*  1 true normally, false in test mode */
    int32_t aApprove,          /*  2 true to approve, false to cancel */
    const char* aToday,        /*  3 "yyyymmdd" */
    const char* aUpjangCode,   /*  4 outlet code */
    const char* aPosNo,        /*  5 POS number */
    int32_t aBillNo,           /*  6 bill number */
    int32_t aSeqNo,            /*  7 sequence within the bill, always 1 */
    const char* aCardData,     /*  8 track 2 as read, or keyed in: number "=" expiry "yymm" */
    int32_t aKeyIn,            /*  9 keyed in */
    int32_t aAmount,           /* 10 whole won, positive */
    int32_t aHalbuMonth,       /* 11 instalment months, 0 for lump sum */
    const char* aSaleDate,     /* 12 business date "yyyymmdd" */
    const char* aOrgAgreeNo,   /* 13 original approval number, "" when approving a sale */
    const char* aTerminalID,   /* 14 the outlet's card terminal ID */
    int32_t aSignPadType,      /* 15 sign pad type (true: USB) */
    int32_t aSignPadPort,      /* 16 sign pad port, 0: none */
    int32_t aReserved,         /* 17 always 0 */
    char* aAgreeDate, int32_t aAgreeDateCapacity,   /* 18-19 out: approval date "yyyymmdd" */
    char* aAgreeNo, int32_t aAgreeNoCapacity,       /* 20-21 out: approval number */
    char* aCompCode, int32_t aCompCodeCapacity,     /* 22-23 out: card company code */
    char* aCompName, int32_t aCompNameCapacity,     /* 24-25 out: card company name */
    char* aIssueCode, int32_t aIssueCodeCapacity,   /* 26-27 out: issuer code */
    char* aIssueName, int32_t aIssueNameCapacity,   /* 28-29 out: issuer name */
    int32_t* aAgreeAmt,                             /* 30 out: approved amount */
    char* aJoinNo, int32_t aJoinNoCapacity,         /* 31-32 out: merchant number */
    char* aErrCode, int32_t aErrCodeCapacity,       /* 33-34 out: error code */
    char* aMessage, int32_t aMessageCapacity);      /* 35-36 out: message */

/* Cash receipt approval (aApprove true) or cancellation (aApprove false). */
int32_t ApprovalCash(
    int32_t aLive,             /*  1 true normally, false in test mode */
    int32_t aApprove,          /*  2 true to approve, false to cancel */
    const char* aSaleDate,     /*  3 business date "yyyymmdd" */
    const char* aUpjangCode,   /*  4 outlet code */
    const char* aPosNo,        /*  5 POS number */
    int32_t aBillNo,           /*  6 bill number */
    int32_t aSeqNo,            /*  7 always 1 */
    int32_t aIndividual,       /*  8 true: income deduction, false: expense proof */
    const char* aIdentity,     /*  9 telephone, resident, business registration or card number */
    int32_t aAmount,           /* 10 whole won, positive */
    int32_t aReserved,         /* 11 always 0 */
    const char* aTerminalID,   /* 12 the outlet's card terminal ID */
    char* aAgreeDate, int32_t aAgreeDateCapacity,   /* 13-14 out: approval date "yyyymmdd" */
    char* aAgreeNo, int32_t aAgreeNoCapacity,       /* 15-16 out: approval number */
    char* aErrCode, int32_t aErrCodeCapacity,       /* 17-18 out: error code */
    char* aMessage, int32_t aMessageCapacity);      /* 19-20 out: message */

typedef int32_t (*PosApprovalCardFn)(int32_t, int32_t, const char*, const char*, const char*, int32_t, int32_t,
                                     const char*, int32_t, int32_t, int32_t, const char*, const char*, const char*,
                                     int32_t, int32_t, int32_t, char*, int32_t, char*, int32_t, char*, int32_t,
                                     char*, int32_t, char*, int32_t, char*, int32_t, int32_t*, char*, int32_t,
                                     char*, int32_t, char*, int32_t);
typedef int32_t (*PosApprovalCashFn)(int32_t, int32_t, const char*, const char*, const char*, int32_t, int32_t,
                                     int32_t, const char*, int32_t, int32_t, const char*, char*, int32_t, char*,
                                     int32_t, char*, int32_t, char*, int32_t);

#ifdef __cplusplus
}
#endif

#endif /* POS_APPROVAL_DRIVER_H */
