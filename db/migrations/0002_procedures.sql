-- The three server procedures the terminal calls, with their inputs and
-- outputs (all text). Their work arrives with the areas that use them: the
-- member discount registration and the room-charge transfer with the account
-- look-ups, the day-end with the POS close. Until then a call fails with
-- feature_not_supported, so a terminal never takes a missing procedure for
-- one that did its work.

-- Registers a member for the bill in the discount work area of the POS.
CREATE FUNCTION PR_IAI010_01(
    ASALE_DATE text, AUPJANG_CODE text, APOS_NO text, AMEMBER_NO text, ASALE_YN text, AKEYIN_YN text,
    OUT AREMARKS text, OUT ACAN_SALE_YN text)
LANGUAGE plpgsql AS $$
BEGIN
    RAISE EXCEPTION 'PR_IAI010_01 is not available yet' USING ERRCODE = 'feature_not_supported';
END
$$;

-- Day-end work of one outlet at the POS close.
CREATE FUNCTION PR_KEI010_99(
    ASALE_DATE text, AUPJANG_CODE text, AU_EMP_NO text, AU_IP text, AEDITSTATUS text,
    OUT AERROR_MSG text)
LANGUAGE plpgsql AS $$
BEGIN
    RAISE EXCEPTION 'PR_KEI010_99 is not available yet' USING ERRCODE = 'feature_not_supported';
END
$$;

-- Transfers a room charge to another reservation.
CREATE FUNCTION PR_DCI030_02(
    ATASK_DATE text, AFROM_UPJANG text, AFROM_RSV text, AFROM_MANAGE text, AFROM_TASK_DATE text, AFROM_SEQ text,
    ATO_UPJANG text, ATO_RSV text, ATO_MANAGE text, ARAISE_UPJANG_CODE text, ATRANS_REASON text, AU_EMP_NO text,
    AU_IP text,
    OUT AERROR_MSG text)
LANGUAGE plpgsql AS $$
BEGIN
    RAISE EXCEPTION 'PR_DCI030_02 is not available yet' USING ERRCODE = 'feature_not_supported';
END
$$;
